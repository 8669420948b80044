#pragma once

#include "app/update/updatechecker.h"
#include "app/window/mainwindowactions.h"
#include "app/window/newdownloaddialog.h"
#include "library/sidebaritemtype.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLineEdit;
class QStackedWidget;
class QVBoxLayout;

namespace Library {
class MainModel;
class ShakeItem;
} // namespace Library

namespace App {

class BinNotFoundBar;
class NoDownloadPlaceholder;
class ShakeItemDelegate;
class ShakeListModel;
class ShakeListView;
class SidebarModel;
class SidebarView;
class ToolInstaller;

// The main window: status filters on the left, the downloads (or the placeholder while there
// are none) on the right, with the toolbar, menus and shortcuts that act on the selection.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(Library::MainModel& model, ToolInstaller& installer, UpdateChecker* updates = nullptr,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    ShakeListModel* listModel() const { return m_listModel; }
    ShakeListView* listView() const { return m_listView; }
    ShakeItemDelegate* delegate() const { return m_delegate; }
    SidebarModel* sidebarModel() const { return m_sidebarModel; }
    SidebarView* sidebarView() const { return m_sidebar; }
    QLineEdit* searchField() const { return m_search; }
    NoDownloadPlaceholder* placeholder() const { return m_placeholder; }
    BinNotFoundBar* binNotFoundBar() const { return m_binBar; }
    // The open new-download sheet, if any.
    NewDownloadDialog* newDownloadDialog() const { return m_newDialog; }
    bool showsPlaceholder() const;
    // The ids of the selected rows, in list order.
    QList<qint64> selectedIds() const;

    const MainWindowActions& actions() const { return m_actions; }
    QString subtitle() const;

    // Takes `bar` under the list, beside the window's own bars (it shows and hides itself).
    void addBar(QWidget* bar);

public Q_SLOTS:
    void showNewDownloadDialog();
    void addFromClipboard();
    // Shows, raises and activates the window.
    void showAndRaise();
    // Hides the window when it is shown and active, else brings it to the front.
    void toggleVisibility();
    void presentUpdateCheck(App::UpdateChecker::Outcome outcome, const App::UpdateChecker::Release& release,
                            const QString& message, bool userInitiated);

Q_SIGNALS:
    void settingsRequested();
    void quitRequested();
    // The user closed the window (it is hidden, not destroyed).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectActions();
    void buildMenus();
    void buildToolbar();
    void updateDetail();
    void updateTitle();
    void updateActions();
    void showContextMenu(const QPoint& pos);
    void showAlert(const QString& message);
    void showErrorDetails(qint64 id, const QPoint& globalPos);
    void copySelection();
    void pasteInto();
    void selectAllInto();
    void openSelectedInBrowser();
    void openSelectedFile();
    void showSelectedInFolder();
    QList<Library::ShakeItem> selectedItems() const;

    Library::MainModel& m_model;
    QVBoxLayout* m_bars = nullptr;
    ToolInstaller& m_installer;
    UpdateChecker* m_updates;
    MainWindowActions m_actions;
    ShakeListModel* m_listModel;
    SidebarModel* m_sidebarModel;
    SidebarView* m_sidebar;
    ShakeListView* m_listView;
    ShakeItemDelegate* m_delegate;
    QLineEdit* m_search;
    QStackedWidget* m_detail;
    NoDownloadPlaceholder* m_placeholder;
    BinNotFoundBar* m_binBar;
    QWidget* m_listPage;
    QPointer<NewDownloadDialog> m_newDialog;
};

} // namespace App
