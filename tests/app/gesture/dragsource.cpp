// A window that drags a link when pressed and moved, as a browser does with its links.
//
//   dragsource LINK X Y [--text]
//
// Shows a 200x100 window at X,Y, prints "ready CX CY" (its centre, global) once shown, and after
// each drag "result N" with the drop action the target reported (0 = refused). With --text the
// drag offers the link as plain text only, without text/uri-list.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource : public QWidget
{
public:
    DragSource(QString link, bool textOnly) : m_link(std::move(link)), m_textOnly(textOnly) {}

protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        // The first motion with the button held starts the drag.
        if (!(event->buttons() & Qt::LeftButton))
            return;
        auto* mime = new QMimeData;
        if (m_textOnly)
            mime->setText(m_link);
        else
            mime->setUrls({QUrl(m_link)});
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::LinkAction);
        std::printf("result %d\n", static_cast<int>(action));
        std::fflush(stdout);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::darkCyan);
        if (m_announced)
            return;
        m_announced = true;
        const QPoint centre = mapToGlobal(rect().center());
        std::printf("ready %d %d\n", centre.x(), centre.y());
        std::fflush(stdout);
    }

private:
    QString m_link;
    bool m_textOnly;
    bool m_announced = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4)
        return 2;
    DragSource source(args.at(1), args.contains(QStringLiteral("--text")));
    source.setWindowFlags(Qt::FramelessWindowHint);
    source.setGeometry(args.at(2).toInt(), args.at(3).toInt(), 200, 100);
    source.show();
    return app.exec();
}
