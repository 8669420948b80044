#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

namespace App {

// Addresses handed over by other programs: "veltqorv://<anything>?url=A&url=B" opened through the
// desktop's scheme handler, or a plain http(s) address on the command line. They are untrusted:
// each only becomes a download address through the address validity rule, never anything else.
class IncomingAddressHandler : public QObject
{
    Q_OBJECT
public:
    explicit IncomingAddressHandler(QObject* parent = nullptr);

    static QString scheme() { return QStringLiteral("veltqorv"); }

    // The addresses a scheme address carries, in order; invalid or missing values are skipped.
    static QList<QUrl> addressesFromSchemeAddress(const QString& text);

    // Every accepted address of `arguments` (program arguments without the program's own name).
    static QList<QUrl> addressesFromArguments(const QStringList& arguments);

public Q_SLOTS:
    // Emits addressAccepted() for each accepted address, in order; logs each refusal.
    void handleArguments(const QStringList& arguments);

Q_SIGNALS:
    void addressAccepted(const QUrl& url);
};

} // namespace App
