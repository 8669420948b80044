#include "symbolicon.h"

#include <QHash>

namespace App {

namespace {

struct Symbol
{
    QString theme;
    QString file;
};

const QHash<QString, Symbol>& symbols()
{
    static const QHash<QString, Symbol> table{
        {QStringLiteral("film.stack"), {QStringLiteral("video-x-generic"), QStringLiteral("film-stack")}},
        {QStringLiteral("arrowshape.down.fill"), {QStringLiteral("go-down"), QStringLiteral("arrow-down")}},
        {QStringLiteral("stop.circle.fill"),
         {QStringLiteral("media-playback-stop"), QStringLiteral("stop-circle")}},
        {QStringLiteral("exclamationmark.octagon"),
         {QStringLiteral("dialog-error"), QStringLiteral("error-octagon")}},
        {QStringLiteral("star.fill"), {QStringLiteral("starred"), QStringLiteral("star-fill")}},
        {QStringLiteral("star"), {QStringLiteral("non-starred"), QStringLiteral("star")}},
        {QStringLiteral("star.slash"), {QString(), QStringLiteral("star-slash")}},
        {QStringLiteral("calendar.badge.clock"),
         {QStringLiteral("appointment-soon"), QStringLiteral("calendar-clock")}},
        {QStringLiteral("checkmark.circle"),
         {QStringLiteral("emblem-ok"), QStringLiteral("checkmark-circle")}},
        {QStringLiteral("checkmark.circle.fill"),
         {QStringLiteral("emblem-default"), QStringLiteral("checkmark-circle-fill")}},
        {QStringLiteral("hourglass.bottomhalf.filled"), {QString(), QStringLiteral("hourglass")}},
        {QStringLiteral("play.fill"), {QStringLiteral("media-playback-start"), QStringLiteral("play")}},
        {QStringLiteral("stop.fill"), {QStringLiteral("media-playback-stop"), QStringLiteral("stop")}},
        {QStringLiteral("plus"), {QStringLiteral("list-add"), QStringLiteral("plus")}},
        {QStringLiteral("trash"), {QStringLiteral("edit-delete"), QStringLiteral("trash")}},
        {QStringLiteral("link.badge.plus"), {QStringLiteral("insert-link"), QStringLiteral("link-plus")}},
        {QStringLiteral("exclamationmark.circle.fill"),
         {QStringLiteral("dialog-warning"), QStringLiteral("warning-circle")}},
        {QStringLiteral("exclamationmark.triangle"),
         {QStringLiteral("dialog-warning"), QStringLiteral("warning-triangle")}},
        {QStringLiteral("info.circle"), {QStringLiteral("help-about"), QStringLiteral("info-circle")}},
        {QStringLiteral("folder"), {QStringLiteral("folder-open"), QStringLiteral("folder")}},
        {QStringLiteral("doc.play"), {QStringLiteral("document-open"), QStringLiteral("document-open")}},
        {QStringLiteral("safari"), {QStringLiteral("internet-web-browser"), QStringLiteral("globe")}},
        {QStringLiteral("doc.on.doc"), {QStringLiteral("edit-copy"), QStringLiteral("copy")}},
        {QStringLiteral("magnifyingglass"), {QStringLiteral("edit-find"), QStringLiteral("search")}},
        {QStringLiteral("arrow.clockwise"), {QStringLiteral("view-refresh"), QStringLiteral("refresh")}},
        {QStringLiteral("power"), {QStringLiteral("application-exit"), QStringLiteral("quit")}},
        {QStringLiteral("gearshape"), {QStringLiteral("preferences-system"), QStringLiteral("settings")}},
    };
    return table;
}

} // namespace

QString SymbolIcon::themeName(const QString& symbol)
{
    return symbols().value(symbol).theme;
}

QString SymbolIcon::resourcePath(const QString& symbol)
{
    const QString file = symbols().value(symbol).file;
    return file.isEmpty() ? QString() : QStringLiteral(":/icons/%1.svg").arg(file);
}

QIcon SymbolIcon::icon(const QString& symbol)
{
    // Built once per symbol: theme lookups walk the icon folders.
    static QHash<QString, QIcon> cache;
    if (const auto it = cache.constFind(symbol); it != cache.constEnd())
        return *it;
    const QString theme = themeName(symbol);
    const QString fallback = resourcePath(symbol);
    QIcon result = fallback.isEmpty() ? QIcon() : QIcon(fallback);
    if (!theme.isEmpty() && QIcon::hasThemeIcon(theme))
        result = QIcon::fromTheme(theme, result);
    cache.insert(symbol, result);
    return result;
}

QIcon SymbolIcon::applicationIcon()
{
    return QIcon::fromTheme(QStringLiteral("org.veltqorv.VeltQorv"),
                            QIcon(QStringLiteral(":/icons/veltqorv.svg")));
}

} // namespace App
