#pragma once

#include <QPoint>
#include <QPushButton>

class QMimeData;

namespace App {

// "Send to VeltQorv": a browser bookmark whose script opens veltqorv://add?url=<the page> for
// the page on screen. Dragged onto the bookmarks bar it becomes a button there; a click copies it.
class BookmarkletLink : public QPushButton
{
    Q_OBJECT
public:
    explicit BookmarkletLink(QWidget* parent = nullptr);

    static QString title() { return tr("Send to VeltQorv"); }
    // The bookmark's address: a javascript: script.
    static QString script();
    // What a drag carries, in the forms browsers take bookmarks in.
    static QMimeData* mimeData();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint m_pressedAt;
};

} // namespace App
