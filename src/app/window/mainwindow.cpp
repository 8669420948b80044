#include "app/window/mainwindow.h"

#include "app/application.h"
#include "app/tool/binnotfoundbar.h"
#include "app/list/errordetailspopup.h"
#include "app/list/itemcommands.h"
#include "library/mainmodel.h"
#include "library/store.h"
#include "app/window/newdownloaddialog.h"
#include "app/list/nodownloadplaceholder.h"
#include "app/list/shakeitemdelegate.h"
#include "app/list/shakelistmodel.h"
#include "app/list/shakelistview.h"
#include "app/list/sidebarmodel.h"
#include "app/list/sidebarview.h"
#include "app/symbolicon.h"
#include "app/tool/toolinstaller.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace App {

using Library::SidebarItemType;

namespace {

const QUrl officialWebsite(QStringLiteral("https://veltqorv.org/"));

} // namespace

MainWindow::MainWindow(Library::MainModel& model, ToolInstaller& installer, UpdateChecker* updates,
                       QWidget* parent)
    : QMainWindow(parent), m_model(model), m_installer(installer), m_updates(updates),
      m_listModel(new ShakeListModel(model.store(), this)),
      m_sidebarModel(new SidebarModel(model.store(), this)),
      m_sidebar(new SidebarView(*m_sidebarModel, this)), m_listView(new ShakeListView(this)),
      m_delegate(new ShakeItemDelegate(this)), m_search(new QLineEdit(this)),
      m_detail(new QStackedWidget(this)),
      m_placeholder(new NoDownloadPlaceholder(installer, model.preferences(), this)),
      m_binBar(new BinNotFoundBar(installer, model.preferences(), this)), m_listPage(new QWidget(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(SymbolIcon::applicationIcon());
    resize(900, 600);

    m_delegate->setProgressProvider([this](qint64 id) { return m_model.progress(id); });
    m_listView->setItemDelegate(m_delegate);
    m_listView->setListModel(m_listModel);

    auto* listLayout = new QVBoxLayout(m_listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    listLayout->addWidget(m_binBar);
    listLayout->addWidget(m_listView, 1);
    m_detail->addWidget(m_placeholder);
    m_detail->addWidget(m_listPage);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_sidebar);
    splitter->addWidget(m_detail);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 700});
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);

    buildActions();
    buildMenus();
    buildToolbar();

    connect(m_sidebar, &SidebarView::selected, m_listModel, [this](SidebarItemType type) {
        // A new filter ends the search.
        if (!m_search->text().isEmpty()) {
            const QSignalBlocker blocker(m_search);
            m_search->clear();
            m_model.setSearchTerm(QString());
        }
        m_listModel->setFilter(type);
    });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model.setSearchTerm(text);
        m_listModel->setSearchText(text);
    });
    connect(m_listModel, &ShakeListModel::contentChanged, this, [this] {
        updateTitle();
        updateActions();
    });
    connect(m_sidebarModel, &SidebarModel::dataChanged, this, &MainWindow::updateDetail);
    connect(m_listView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::updateActions);
    connect(m_listView, &QListView::customContextMenuRequested, this, &MainWindow::showContextMenu);
    connect(m_listView, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const Library::ShakeItem* item =
                m_listModel->itemById(index.data(ShakeListModel::IdRole).toLongLong()))
            ItemCommands::openInBrowser(*item);
    });
    connect(m_delegate, &ShakeItemDelegate::buttonClicked, this,
            [this](qint64 id, ShakeItemDelegate::Button button, const QPoint& globalPos) {
                const Library::ShakeItem* item = m_listModel->itemById(id);
                if (!item)
                    return;
                const std::optional<QUrl> location = item->info ? item->info->location : std::nullopt;
                switch (button) {
                case ShakeItemDelegate::Button::Error:
                    showErrorDetails(id, globalPos);
                    break;
                case ShakeItemDelegate::Button::OpenFile:
                    if (location)
                        ItemCommands::openFile(location->toLocalFile());
                    break;
                case ShakeItemDelegate::Button::ShowInFolder:
                    if (location)
                        ItemCommands::showInFolder(location->toLocalFile(), this);
                    break;
                case ShakeItemDelegate::Button::None:
                    break;
                }
            });
    connect(m_placeholder, &NoDownloadPlaceholder::newDownloadRequested, this,
            &MainWindow::showNewDownloadDialog);
    connect(&m_model, &Library::MainModel::progressChanged, m_listModel, &ShakeListModel::itemChanged);
    connect(&m_model, &Library::MainModel::alertRaised, this, &MainWindow::showAlert);
    connect(&m_model, &Library::MainModel::windowSubTitleChanged, this, [this] {
        const std::optional<QString> shown = m_model.windowSubTitle();
        setWindowTitle(shown ? QStringLiteral("%1 — %2").arg(Application::name(), *shown)
                             : Application::name());
    });
    if (m_updates) {
        connect(m_updates, &UpdateChecker::canCheckForUpdatesChanged,
                action(QStringLiteral("checkForUpdates")), &QAction::setEnabled);
    }

    m_binBar->updateVisibility();
    m_placeholder->update();
    updateDetail();
    updateTitle();
    updateActions();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::addAction(const QString& name, const QString& text, const QString& symbol,
                               const QKeySequence& shortcut)
{
    auto* result = new QAction(text, this);
    result->setObjectName(name);
    if (!symbol.isEmpty())
        result->setIcon(SymbolIcon::icon(symbol));
    if (!shortcut.isEmpty())
        result->setShortcut(shortcut);
    // Window-wide, so the shortcuts work from the sidebar and the list alike.
    result->setShortcutContext(Qt::WindowShortcut);
    QMainWindow::addAction(result);
    m_actions.insert(name, result);
    return result;
}

QAction* MainWindow::action(const QString& name) const
{
    return m_actions.value(name);
}

void MainWindow::buildActions()
{
    connect(addAction(QStringLiteral("newWithUrl"), tr("New with URL…"), QStringLiteral("link.badge.plus"),
                      QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &MainWindow::showNewDownloadDialog);
    connect(addAction(QStringLiteral("newFromClipboard"), tr("New from Clipboard…"),
                      QStringLiteral("doc.on.doc"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N)),
            &QAction::triggered, this, &MainWindow::addFromClipboard);
    connect(addAction(QStringLiteral("settings"), tr("Settings…"), QStringLiteral("gearshape"),
                      QKeySequence(Qt::CTRL | Qt::Key_Comma)),
            &QAction::triggered, this, &MainWindow::settingsRequested);
    connect(addAction(QStringLiteral("closeWindow"), tr("Close Window"), QString(),
                      QKeySequence(Qt::CTRL | Qt::Key_W)),
            &QAction::triggered, this, &QWidget::close);
    connect(addAction(QStringLiteral("quit"), tr("Quit"), QStringLiteral("power"),
                      QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, this, &MainWindow::quitRequested);

    QAction* copy =
        addAction(QStringLiteral("copy"), tr("Copy"), QStringLiteral("doc.on.doc"), QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &MainWindow::copySelection);
    connect(addAction(QStringLiteral("paste"), tr("Paste"), QString(), QKeySequence::Paste),
            &QAction::triggered, this, &MainWindow::pasteInto);
    connect(addAction(QStringLiteral("selectAll"), tr("Select All"), QString(), QKeySequence::SelectAll),
            &QAction::triggered, this, &MainWindow::selectAllInto);
    connect(addAction(QStringLiteral("search"), tr("Search…"), QStringLiteral("magnifyingglass"),
                      QKeySequence(Qt::CTRL | Qt::Key_Slash)),
            &QAction::triggered, this, [this] {
                m_search->setFocus(Qt::ShortcutFocusReason);
                m_search->selectAll();
            });

    const QList<SidebarItemType> types = Library::standardSidebarItems();
    for (qsizetype i = 0; i < types.size(); ++i) {
        const SidebarItemType type = types.at(i);
        QAction* filter =
            addAction(QStringLiteral("filter.%1").arg(static_cast<int>(type)), Library::title(type),
                      Library::symbol(type), QKeySequence(Qt::CTRL | (Qt::Key_1 + static_cast<int>(i))));
        connect(filter, &QAction::triggered, this, [this, type] { m_sidebar->select(type); });
    }

    QAction* run = addAction(QStringLiteral("run"), tr("Run"), QStringLiteral("play.fill"),
                             QKeySequence(Qt::CTRL | Qt::Key_R));
    run->setToolTip(tr("Run"));
    connect(run, &QAction::triggered, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_model.start(ids);
    });
    QAction* stop = addAction(QStringLiteral("stop"), tr("Stop"), QStringLiteral("stop.fill"),
                              QKeySequence(Qt::CTRL | Qt::Key_Period));
    stop->setToolTip(tr("Stop"));
    connect(stop, &QAction::triggered, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_model.stop(ids);
    });
    connect(addAction(QStringLiteral("toggleStar"), tr("Toggle Starred"), QStringLiteral("star"),
                      QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, [this] {
                const QList<qint64> ids = selectedIds();
                if (!ids.isEmpty())
                    m_model.toggleStar(ids);
            });
    connect(addAction(QStringLiteral("copyUrl"), tr("Copy URL"), QStringLiteral("doc.on.doc")),
            &QAction::triggered, this, [this] { ItemCommands::copyAddresses(selectedItems()); });
    connect(addAction(QStringLiteral("openInBrowser"), tr("Open in Browser…"), QStringLiteral("safari"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)),
            &QAction::triggered, this, &MainWindow::openSelectedInBrowser);
    connect(addAction(QStringLiteral("openFile"), tr("Open File"), QStringLiteral("doc.play"),
                      QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &MainWindow::openSelectedFile);
    connect(addAction(QStringLiteral("showInFolder"), tr("Show in Folder"), QStringLiteral("folder"),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R)),
            &QAction::triggered, this, &MainWindow::showSelectedInFolder);
    connect(addAction(QStringLiteral("delete"), tr("Delete"), QStringLiteral("trash"), QKeySequence::Delete),
            &QAction::triggered, this, [this] {
                const QList<qint64> ids = selectedIds();
                if (!ids.isEmpty())
                    m_model.remove(ids);
            });

    QAction* check = addAction(QStringLiteral("checkForUpdates"), tr("Check for Updates…"),
                               QStringLiteral("arrow.clockwise"));
    check->setEnabled(m_updates && m_updates->canCheckForUpdates());
    if (m_updates)
        connect(check, &QAction::triggered, m_updates, &UpdateChecker::checkForUpdates);
    connect(addAction(QStringLiteral("officialWebsite"), tr("Official Website")), &QAction::triggered, this,
            [] { QDesktopServices::openUrl(officialWebsite); });
    connect(addAction(QStringLiteral("about"), tr("About %1").arg(Application::name())), &QAction::triggered,
            this, [this] {
                QMessageBox::about(
                    this, tr("About %1").arg(Application::name()),
                    tr("<b>%1</b> %2 (%3)<br>A desktop front end for yt-dlp.")
                        .arg(Application::name(), Application::version(), Application::build()));
            });
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addActions({action(QStringLiteral("newWithUrl")), action(QStringLiteral("newFromClipboard"))});
    file->addSeparator();
    file->addAction(action(QStringLiteral("settings")));
    file->addSeparator();
    file->addActions({action(QStringLiteral("closeWindow")), action(QStringLiteral("quit"))});

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({action(QStringLiteral("copy")), action(QStringLiteral("paste")),
                      action(QStringLiteral("selectAll"))});
    edit->addSeparator();
    edit->addAction(action(QStringLiteral("search")));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    for (SidebarItemType type : Library::standardSidebarItems())
        view->addAction(action(QStringLiteral("filter.%1").arg(static_cast<int>(type))));

    QMenu* downloads = menuBar()->addMenu(tr("&Downloads"));
    downloads->addActions({action(QStringLiteral("run")), action(QStringLiteral("stop")),
                           action(QStringLiteral("toggleStar"))});
    downloads->addSeparator();
    downloads->addActions({action(QStringLiteral("copyUrl")), action(QStringLiteral("openInBrowser")),
                           action(QStringLiteral("openFile")), action(QStringLiteral("showInFolder"))});
    downloads->addSeparator();
    downloads->addAction(action(QStringLiteral("delete")));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addActions({action(QStringLiteral("checkForUpdates")), action(QStringLiteral("officialWebsite")),
                      action(QStringLiteral("about"))});
}

void MainWindow::buildToolbar()
{
    QToolBar* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName(QStringLiteral("mainToolbar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* newMenu = new QMenu(this);
    newMenu->addActions({action(QStringLiteral("newWithUrl")), action(QStringLiteral("newFromClipboard"))});
    auto* newButton = new QToolButton(bar);
    newButton->setObjectName(QStringLiteral("newShakeMenu"));
    newButton->setIcon(SymbolIcon::icon(QStringLiteral("plus")));
    newButton->setMenu(newMenu);
    newButton->setPopupMode(QToolButton::InstantPopup);
    newButton->setToolTip(tr("Add new downloads by entering URL or get URL from clipboard directly"));
    bar->addWidget(newButton);

    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    bar->addAction(action(QStringLiteral("run")));
    QAction* stop = action(QStringLiteral("stop"));
    bar->addAction(stop);
    if (auto* stopButton = qobject_cast<QToolButton*>(bar->widgetForAction(stop)))
        stopButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setPlaceholderText(tr("Search"));
    m_search->setClearButtonEnabled(true);
    m_search->addAction(SymbolIcon::icon(QStringLiteral("magnifyingglass")), QLineEdit::LeadingPosition);
    m_search->setMaximumWidth(240);
    bar->addWidget(m_search);
}

bool MainWindow::showsPlaceholder() const
{
    return m_detail->currentWidget() == m_placeholder;
}

void MainWindow::updateDetail()
{
    const bool empty = m_sidebarModel->count(SidebarItemType::all) == 0;
    m_detail->setCurrentWidget(empty ? static_cast<QWidget*>(m_placeholder) : m_listPage);
}

QString MainWindow::subtitle() const
{
    return m_listModel->isSearching() ? QStringLiteral("Found: %1").arg(m_listModel->rowCount()) : QString();
}

void MainWindow::updateTitle()
{
    const QString sub = subtitle();
    m_model.setWindowSubTitle(sub.isEmpty() ? std::nullopt : std::optional<QString>(sub));
    const std::optional<QString> shown = m_model.windowSubTitle();
    setWindowTitle(shown ? QStringLiteral("%1 — %2").arg(Application::name(), *shown) : Application::name());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

void MainWindow::updateActions()
{
    const QList<Library::ShakeItem> items = selectedItems();
    const bool any = !items.isEmpty();
    bool browsable = false;
    bool hasFile = false;
    for (const Library::ShakeItem& item : items) {
        browsable = browsable || (item.source && ItemCommands::isBrowsable(*item.source));
        hasFile = hasFile || (item.isCompleted() && item.info && item.info->location);
    }
    for (const char* name : {"run", "stop", "toggleStar", "copyUrl", "delete"})
        action(QLatin1String(name))->setEnabled(any);
    action(QStringLiteral("openInBrowser"))->setEnabled(browsable);
    action(QStringLiteral("openFile"))->setEnabled(hasFile);
    action(QStringLiteral("showInFolder"))->setEnabled(hasFile);
    action(QStringLiteral("delete"))->setText(items.size() > 1 ? tr("Delete selected items") : tr("Delete"));
}

QList<qint64> MainWindow::selectedIds() const
{
    return m_listModel->ids(m_listView->selectionModel()->selectedIndexes());
}

QList<Library::ShakeItem> MainWindow::selectedItems() const
{
    QList<Library::ShakeItem> items;
    for (qint64 id : selectedIds()) {
        if (const Library::ShakeItem* item = m_listModel->itemById(id))
            items << *item;
    }
    return items;
}

void MainWindow::showContextMenu(const QPoint& pos)
{
    const QModelIndex clicked = m_listView->indexAt(pos);
    if (!clicked.isValid())
        return;
    // The clicked row joins the selection, as the primary row of the command.
    if (!m_listView->selectionModel()->isSelected(clicked))
        m_listView->selectionModel()->select(clicked, QItemSelectionModel::ClearAndSelect);
    updateActions();
    const Library::ShakeItem* item = m_listModel->itemById(clicked.data(ShakeListModel::IdRole).toLongLong());
    QAction* star = action(QStringLiteral("toggleStar"));
    star->setIcon(
        SymbolIcon::icon(item && item->isStarred() ? QStringLiteral("star.slash") : QStringLiteral("star")));

    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({action(QStringLiteral("run")), action(QStringLiteral("stop"))});
    menu->addSeparator();
    menu->addActions({action(QStringLiteral("copyUrl")), action(QStringLiteral("openInBrowser")),
                      action(QStringLiteral("openFile")), action(QStringLiteral("showInFolder"))});
    menu->addSeparator();
    menu->addActions({star, action(QStringLiteral("delete"))});
    menu->popup(m_listView->viewport()->mapToGlobal(pos));
}

void MainWindow::copySelection()
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        field->copy();
        return;
    }
    ItemCommands::copyAddresses(selectedItems());
}

void MainWindow::pasteInto()
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        field->paste();
        return;
    }
    // Pasting onto the list adds the address on the clipboard.
    addFromClipboard();
}

void MainWindow::selectAllInto()
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        field->selectAll();
        return;
    }
    m_listView->selectAll();
}

void MainWindow::openSelectedInBrowser()
{
    for (const Library::ShakeItem& item : selectedItems())
        ItemCommands::openInBrowser(item);
}

void MainWindow::openSelectedFile()
{
    for (const Library::ShakeItem& item : selectedItems()) {
        if (item.isCompleted() && item.info && item.info->location)
            ItemCommands::openFile(item.info->location->toLocalFile());
    }
}

void MainWindow::showSelectedInFolder()
{
    for (const Library::ShakeItem& item : selectedItems()) {
        if (item.isCompleted() && item.info && item.info->location)
            ItemCommands::showInFolder(item.info->location->toLocalFile(), this);
    }
}

void MainWindow::showNewDownloadDialog()
{
    showAndRaise();
    if (m_newDialog) {
        m_newDialog->raise();
        m_newDialog->activateWindow();
        return;
    }
    m_newDialog = new NewDownloadDialog([this](const QUrl& url) { m_model.add({url}); }, this);
    m_newDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_newDialog->open();
}

void MainWindow::addFromClipboard()
{
    m_model.addFromClipboardText(QGuiApplication::clipboard()->text());
}

void MainWindow::showAlert(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Warning, Application::name(), message, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("alert"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::showErrorDetails(qint64 id, const QPoint& globalPos)
{
    const Library::ShakeItem* item = m_listModel->itemById(id);
    if (!item || item->errorMessage().isEmpty())
        return;
    auto* popup = new ErrorDetailsPopup(item->errorMessage(), this);
    popup->setObjectName(QStringLiteral("errorDetails"));
    popup->adjustSize();
    QPoint at = globalPos - QPoint(popup->width() - 20, -10);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - popup->width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - popup->height())));
    }
    popup->move(at);
    popup->show();
}

void MainWindow::showAndRaise()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::toggleVisibility()
{
    if (isVisible() && isActiveWindow() && !isMinimized()) {
        hide();
        return;
    }
    showAndRaise();
}

void MainWindow::presentUpdateCheck(UpdateChecker::Outcome outcome, const UpdateChecker::Release& release,
                                    const QString& message, bool userInitiated)
{
    if (!userInitiated && outcome != UpdateChecker::Outcome::UpdateAvailable)
        return;
    auto* box = new QMessageBox(this);
    box->setObjectName(QStringLiteral("updateResult"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(tr("Software Update"));
    switch (outcome) {
    case UpdateChecker::Outcome::UpdateAvailable: {
        const QString version = release.version.isEmpty() ? release.build : release.version;
        box->setIcon(QMessageBox::Information);
        box->setText(tr("%1 %2 is available — you have %3.")
                         .arg(Application::name(), version, Application::version()));
        if (release.link.isValid() && !release.link.isEmpty()) {
            QPushButton* open = box->addButton(tr("Download…"), QMessageBox::AcceptRole);
            const QUrl link = release.link;
            connect(open, &QPushButton::clicked, box, [link] {
                if (ItemCommands::isBrowsable(link))
                    QDesktopServices::openUrl(link);
            });
        }
        box->addButton(tr("Later"), QMessageBox::RejectRole);
        break;
    }
    case UpdateChecker::Outcome::UpToDate:
        box->setIcon(QMessageBox::Information);
        box->setText(tr("You're up to date! %1 %2 is the newest version.")
                         .arg(Application::name(), Application::version()));
        box->addButton(QMessageBox::Ok);
        break;
    case UpdateChecker::Outcome::Failed:
        box->setIcon(QMessageBox::Warning);
        box->setText(message);
        box->addButton(QMessageBox::Ok);
        break;
    }
    box->open();
}

} // namespace App
