#pragma once

#include "videometadata.h"

#include <QObject>
#include <QPointer>
#include <QProcessEnvironment>

namespace Engine {

class CommandRunner;
class Preferences;

// Asks the tool what an address holds (-J), without downloading: in the background, as the
// tool may take seconds or fail, and a window waiting for it must stay usable.
class MetadataReader : public QObject
{
    Q_OBJECT
public:
    explicit MetadataReader(Preferences& preferences, QObject* parent = nullptr);
    ~MetadataReader() override;

    // Ends a read under way, silently, and starts one for `address`.
    void read(const QString& address);
    // Ends a read under way; neither signal follows.
    void cancel();
    bool isReading() const { return m_reading; }

Q_SIGNALS:
    void finished(const Engine::VideoMetadata& metadata);
    // One line, for a user: the tool's own error where it gave one.
    void failed(const QString& reason);

private:
    void onEnvironment(quint64 generation, const QProcessEnvironment& environment);
    void onBin(quint64 generation, const std::optional<QString>& bin);
    void fail(const QString& reason);

    Preferences& m_preferences;
    QString m_toolAddress;
    QProcessEnvironment m_environment;
    QPointer<CommandRunner> m_runner;
    // Answers to an earlier read that arrive late are told apart by this.
    quint64 m_generation = 0;
    bool m_reading = false;
};

} // namespace Engine
