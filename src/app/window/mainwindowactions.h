#pragma once

#include "library/sidebaritemtype.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QList>

class QAction;
class QWidget;

namespace App {

// The main window's actions, made once with their texts, icons and shortcuts and added to the
// window so their shortcuts work window-wide. The window connects them; menus, the toolbar and
// tests take them from here by member, never by name.
class MainWindowActions
{
    Q_DECLARE_TR_FUNCTIONS(MainWindowActions)
    Q_DISABLE_COPY_MOVE(MainWindowActions)

public:
    explicit MainWindowActions(QWidget* window);

    QAction* newWithUrl() const { return m_newWithUrl; }
    QAction* newFromClipboard() const { return m_newFromClipboard; }
    QAction* settings() const { return m_settings; }
    QAction* closeWindow() const { return m_closeWindow; }
    QAction* quit() const { return m_quit; }
    QAction* copy() const { return m_copy; }
    QAction* paste() const { return m_paste; }
    QAction* selectAll() const { return m_selectAll; }
    QAction* search() const { return m_search; }
    QAction* run() const { return m_run; }
    QAction* stop() const { return m_stop; }
    QAction* toggleStar() const { return m_toggleStar; }
    QAction* copyUrl() const { return m_copyUrl; }
    QAction* openInBrowser() const { return m_openInBrowser; }
    QAction* openFile() const { return m_openFile; }
    QAction* showInFolder() const { return m_showInFolder; }
    QAction* remove() const { return m_delete; }
    QAction* removeWithFile() const { return m_deleteWithFile; }
    QAction* checkForUpdates() const { return m_checkForUpdates; }
    QAction* officialWebsite() const { return m_officialWebsite; }
    QAction* about() const { return m_about; }
    // One per sidebar filter, in sidebar order (Ctrl+1 onwards).
    const QList<QAction*>& filters() const { return m_filters; }
    // The action that selects `type`; null for a type the sidebar does not show.
    QAction* filter(Library::SidebarItemType type) const;
    // The actions that need a selected row.
    QList<QAction*> selectionActions() const;

private:
    QAction* make(const char* name, const QString& text, const char* symbol = nullptr,
                  const QKeySequence& shortcut = QKeySequence());

    QWidget* m_window;
    QAction* m_newWithUrl;
    QAction* m_newFromClipboard;
    QAction* m_settings;
    QAction* m_closeWindow;
    QAction* m_quit;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_selectAll;
    QAction* m_search;
    QList<QAction*> m_filters;
    QList<Library::SidebarItemType> m_filterTypes;
    QAction* m_run;
    QAction* m_stop;
    QAction* m_toggleStar;
    QAction* m_copyUrl;
    QAction* m_openInBrowser;
    QAction* m_openFile;
    QAction* m_showInFolder;
    QAction* m_delete;
    QAction* m_deleteWithFile;
    QAction* m_checkForUpdates;
    QAction* m_officialWebsite;
    QAction* m_about;
};

} // namespace App
