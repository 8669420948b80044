// A bare Qt Widgets main window with a menu and a list: the least any Qt downloader GUI shows.
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.menuBar()
        ->addMenu(QStringLiteral("&File"))
        ->addAction(QStringLiteral("Quit"), &application, &QApplication::quit);
    window.setCentralWidget(new QListWidget(&window));
    window.resize(900, 600);
    window.show();
    return QApplication::exec();
}
