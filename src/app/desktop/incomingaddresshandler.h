#pragma once

#include "engine/qorvconfig.h"

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace Engine {
class Preferences;
}

namespace App {

// Addresses handed over by other programs: "veltqorv://<anything>?url=A&url=B" opened through the
// desktop's scheme handler, or a plain http(s) address on the command line. They are untrusted:
// each only becomes a download address through the address validity rule, never anything else.
class IncomingAddressHandler : public QObject
{
    Q_OBJECT
public:
    // The presets and the download folder that the options of the arguments refer to.
    explicit IncomingAddressHandler(Engine::Preferences& preferences, QObject* parent = nullptr);

    static QString scheme() { return QStringLiteral("veltqorv"); }

    // The addresses a scheme address carries, in order; invalid or missing values are skipped.
    static QList<QUrl> addressesFromSchemeAddress(const QString& text);

    // Every accepted address of `arguments` (program arguments without the program's own name).
    static QList<QUrl> addressesFromArguments(const QStringList& arguments);

public Q_SLOTS:
    // Reads `arguments` as a command line handed over (CommandLine); emits addressAccepted() for
    // each accepted address, in order, or nothing when the options are refused. Logs each refusal.
    void handleArguments(const QStringList& arguments);

Q_SIGNALS:
    // `config`: the option set the options make, or nothing for a quick add.
    void addressAccepted(const QUrl& url, const std::optional<Engine::QorvConfig>& config);

private:
    Engine::Preferences& m_preferences;
};

} // namespace App
