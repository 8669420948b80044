#include "app/window/mainwindowactions.h"

#include "app/application.h"
#include "app/symbolicon.h"

#include <QAction>
#include <QWidget>

namespace App {

using Library::SidebarItemType;

MainWindowActions::MainWindowActions(QWidget* window) : m_window(window)
{
    m_newWithUrl =
        make("newWithUrl", tr("New with URL…"), "link.badge.plus", QKeySequence(Qt::CTRL | Qt::Key_N));
    m_newFromClipboard = make("newFromClipboard", tr("New from Clipboard…"), "doc.on.doc",
                              QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N));
    m_settings = make("settings", tr("Settings…"), "gearshape", QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_closeWindow = make("closeWindow", tr("Close Window"), nullptr, QKeySequence(Qt::CTRL | Qt::Key_W));
    m_quit = make("quit", tr("Quit"), "power", QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_copy = make("copy", tr("Copy"), "doc.on.doc", QKeySequence::Copy);
    m_paste = make("paste", tr("Paste"), nullptr, QKeySequence::Paste);
    m_selectAll = make("selectAll", tr("Select All"), nullptr, QKeySequence::SelectAll);
    m_search = make("search", tr("Search…"), "magnifyingglass", QKeySequence(Qt::CTRL | Qt::Key_Slash));

    m_filterTypes = Library::standardSidebarItems();
    for (qsizetype i = 0; i < m_filterTypes.size(); ++i) {
        const SidebarItemType type = m_filterTypes.at(i);
        QAction* filter = make(nullptr, Library::title(type), nullptr,
                               QKeySequence(Qt::CTRL | (Qt::Key_1 + static_cast<int>(i))));
        filter->setObjectName(QStringLiteral("filter.%1").arg(static_cast<int>(type)));
        filter->setIcon(SymbolIcon::icon(Library::symbol(type)));
        m_filters << filter;
    }

    m_run = make("run", tr("Run"), "play.fill", QKeySequence(Qt::CTRL | Qt::Key_R));
    m_run->setToolTip(tr("Run"));
    m_stop = make("stop", tr("Stop"), "stop.fill", QKeySequence(Qt::CTRL | Qt::Key_Period));
    m_stop->setToolTip(tr("Stop"));
    m_toggleStar = make("toggleStar", tr("Toggle Starred"), "star", QKeySequence(Qt::CTRL | Qt::Key_D));
    m_copyUrl = make("copyUrl", tr("Copy URL"), "doc.on.doc");
    m_openInBrowser = make("openInBrowser", tr("Open in Browser…"), "safari",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_openFile = make("openFile", tr("Open File"), "doc.play", QKeySequence(Qt::CTRL | Qt::Key_O));
    m_showInFolder =
        make("showInFolder", tr("Show in Folder"), "folder", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
    m_delete = make("delete", tr("Delete"), "trash", QKeySequence::Delete);
    m_deleteWithFile =
        make("deleteWithFile", tr("Delete with File"), nullptr, QKeySequence(Qt::SHIFT | Qt::Key_Delete));

    m_checkForUpdates = make("checkForUpdates", tr("Check for Updates…"), "arrow.clockwise");
    m_officialWebsite = make("officialWebsite", tr("Official Website"));
    m_about = make("about", tr("About %1").arg(Application::name()));
}

QAction* MainWindowActions::make(const char* name, const QString& text, const char* symbol,
                                 const QKeySequence& shortcut)
{
    auto* result = new QAction(text, m_window);
    if (name)
        result->setObjectName(QLatin1String(name));
    if (symbol)
        result->setIcon(SymbolIcon::icon(QLatin1String(symbol)));
    result->setShortcut(shortcut);
    // Window-wide, so the shortcuts work from the sidebar and the list alike.
    result->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(result);
    return result;
}

QAction* MainWindowActions::filter(SidebarItemType type) const
{
    const qsizetype at = m_filterTypes.indexOf(type);
    return at < 0 ? nullptr : m_filters.at(at);
}

QList<QAction*> MainWindowActions::selectionActions() const
{
    return {m_run, m_stop, m_toggleStar, m_copyUrl, m_delete};
}

} // namespace App
