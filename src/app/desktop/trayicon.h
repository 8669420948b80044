#pragma once

#include <QIcon>
#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace App {

// The tray entry: the application's icon with the number of running downloads drawn on it and
// in the tooltip, and its menu (show the window, add from the clipboard, check for updates,
// quit). Where the desktop has no tray it stays hidden; the main window is then the way in.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // The icon with `count` drawn on it; the plain icon for 0.
    static QIcon iconFor(int count);
    static QString toolTipFor(int count);

    // Shows the entry when a tray is available; false when there is none.
    bool show();
    bool isVisible() const;
    int count() const { return m_count; }
    QString toolTip() const;
    QMenu* menu() const { return m_menu; }
    QAction* action(const QString& name) const;
    QSystemTrayIcon* systemTrayIcon() const { return m_tray; }

public Q_SLOTS:
    void setCount(int count);
    void setCanCheckForUpdates(bool canCheck);

Q_SIGNALS:
    void showMainWindowRequested();
    // A click on the icon itself.
    void toggleMainWindowRequested();
    void addFromClipboardRequested();
    void checkForUpdatesRequested();
    void quitRequested();

private:
    QSystemTrayIcon* m_tray;
    QMenu* m_menu;
    int m_count = 0;
};

} // namespace App
