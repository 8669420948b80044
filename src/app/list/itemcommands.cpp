#include "app/list/itemcommands.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>

namespace App {

QString ItemCommands::addressesText(const QList<Library::ShakeItem>& items)
{
    QStringList lines;
    for (const Library::ShakeItem& item : items) {
        if (item.source && !item.source->isEmpty())
            lines << item.source->toString(QUrl::FullyEncoded);
    }
    return lines.join(QLatin1Char('\n'));
}

bool ItemCommands::copyAddresses(const QList<Library::ShakeItem>& items)
{
    const QString text = addressesText(items);
    if (text.isEmpty())
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

bool ItemCommands::isBrowsable(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

bool ItemCommands::openInBrowser(const Library::ShakeItem& item)
{
    if (!item.source || !isBrowsable(*item.source))
        return false;
    return QDesktopServices::openUrl(*item.source);
}

bool ItemCommands::openFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ItemCommands::showInFolder(const QString& path, QObject* context)
{
    const QFileInfo file(path);
    const QUrl folder = QUrl::fromLocalFile(file.absolutePath());
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded)}
         << QString();
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 5000), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, folder] {
        watcher->deleteLater();
        if (watcher->isError())
            QDesktopServices::openUrl(folder);
    });
}

} // namespace App
