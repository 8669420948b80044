#pragma once

#include <QObject>
#include <QPointer>
#include <QProcessEnvironment>

#include <functional>

class QProcess;
class QTimer;

namespace Engine {

class Preferences;

// The environment a login shell of the user's sets up (PATH from the profile, proxies, ...), read
// once per process by running `<shell> -l -c 'env -0'`, so that each tool can start without a
// shell of its own. Falls back to our own environment when the shell fails or takes too long.
class LoginEnvironment : public QObject
{
    Q_OBJECT
public:
    static constexpr int TimeoutMs = 10000;

    // The one of this process; lives on the thread that first asks for it.
    static LoginEnvironment& instance();

    // Calls `done` on `context`'s thread with the environment: at once when it is known, else
    // when the read ends. Nothing is called when `context` is gone by then.
    void request(QObject* context, std::function<void(const QProcessEnvironment&)> done);
    // Reads it again when the tool path preference of `preferences` changes: a newly installed
    // tool may have brought its own profile lines. Asking again for the same object is harmless.
    void follow(Preferences& preferences);
    // Forgets what was read; the next request reads again.
    void invalidate();

    bool isKnown() const { return m_known; }

    // The entries of `output` (NUL-separated NAME=value) after the first occurrence of `marker`,
    // whatever a profile printed before it; nothing when the marker is missing.
    static std::optional<QProcessEnvironment> parse(const QByteArray& output, const QByteArray& marker);

Q_SIGNALS:
    void ready(const QProcessEnvironment& environment);

private:
    LoginEnvironment() = default;
    void read();
    void settle(const QProcessEnvironment& environment);

    QProcessEnvironment m_environment;
    QProcess* m_process = nullptr;
    QTimer* m_timeout = nullptr;
    QByteArray m_marker;
    QPointer<Preferences> m_followed;
    bool m_known = false;
};

} // namespace Engine
