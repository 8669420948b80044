#include "app/settings/bookmarkletlink.h"

#include "app/desktop/incomingaddresshandler.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace App {

BookmarkletLink::BookmarkletLink(QWidget* parent) : QPushButton(title(), parent)
{
    setIcon(QIcon::fromTheme(QStringLiteral("bookmark-new")));
    setToolTip(tr("Drag to the bookmarks bar of your browser; click to copy"));
    connect(this, &QPushButton::clicked, this, [] { QGuiApplication::clipboard()->setMimeData(mimeData()); });
}

QString BookmarkletLink::script()
{
    // The page's address travels whole in one parameter; the receiving side checks it as any other.
    return QStringLiteral("javascript:void(location.href='%1://add?url='+encodeURIComponent(location.href))")
        .arg(IncomingAddressHandler::scheme());
}

QMimeData* BookmarkletLink::mimeData()
{
    auto* data = new QMimeData;
    const QString bookmark = script();
    data->setUrls({QUrl(bookmark)});
    data->setText(bookmark);
    // Firefox names the bookmark from this: address, newline, title, in UTF-16.
    const QString mozUrl = bookmark + QLatin1Char('\n') + title();
    data->setData(QStringLiteral("text/x-moz-url"),
                  QByteArray(reinterpret_cast<const char*>(mozUrl.utf16()), mozUrl.size() * 2));
    data->setHtml(QStringLiteral("<a href=\"%1\">%2</a>").arg(bookmark.toHtmlEscaped(), title()));
    return data;
}

void BookmarkletLink::mousePressEvent(QMouseEvent* event)
{
    m_pressedAt = event->position().toPoint();
    QPushButton::mousePressEvent(event);
}

void BookmarkletLink::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) {
        QPushButton::mouseMoveEvent(event);
        return;
    }
    setDown(false);
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData());
    drag->setPixmap(grab());
    drag->exec(Qt::CopyAction | Qt::LinkAction);
}

} // namespace App
