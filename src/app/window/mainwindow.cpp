#include "app/window/mainwindow.h"

#include "app/application.h"
#include "app/list/errordetailspopup.h"
#include "app/list/itemcommands.h"
#include "app/list/nodownloadplaceholder.h"
#include "app/list/shakeitemdelegate.h"
#include "app/list/shakelistmodel.h"
#include "app/list/shakelistview.h"
#include "app/list/sidebarmodel.h"
#include "app/list/sidebarview.h"
#include "app/list/undodeletebar.h"
#include "app/symbolicon.h"
#include "app/tool/binnotfoundbar.h"
#include "app/tool/toolinstaller.h"
#include "app/update/updatedialog.h"
#include "app/window/mainwindowactions.h"
#include "app/window/newdownloaddialog.h"
#include "library/mainmodel.h"
#include "library/store.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
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
    : QMainWindow(parent), m_model(model), m_installer(installer), m_updates(updates), m_actions(this),
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
    m_listModel->setThumbnailCache(&model.thumbnails());
    m_listView->setListModel(m_listModel);

    auto* listLayout = new QVBoxLayout(m_listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    listLayout->addWidget(m_binBar);
    listLayout->addWidget(m_listView, 1);
    m_detail->addWidget(m_placeholder);
    m_detail->addWidget(m_listPage);

    // Under the page rather than on it: the list may give way to the placeholder once emptied.
    auto* detailArea = new QWidget(this);
    m_bars = new QVBoxLayout(detailArea);
    m_bars->setContentsMargins(0, 0, 0, 0);
    m_bars->setSpacing(0);
    m_bars->addWidget(m_detail, 1);
    m_bars->addWidget(new UndoDeleteBar(model, detailArea));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_sidebar);
    splitter->addWidget(detailArea);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 700});
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);

    connectActions();
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
        connect(m_updates, &UpdateChecker::canCheckForUpdatesChanged, m_actions.checkForUpdates(),
                &QAction::setEnabled);
    }

    m_binBar->updateVisibility();
    m_placeholder->update();
    updateDetail();
    updateTitle();
    updateActions();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectActions()
{
    const MainWindowActions& a = m_actions;
    connect(a.newWithUrl(), &QAction::triggered, this, &MainWindow::showNewDownloadDialog);
    connect(a.newFromClipboard(), &QAction::triggered, this, &MainWindow::addFromClipboard);
    connect(a.settings(), &QAction::triggered, this, &MainWindow::settingsRequested);
    connect(a.closeWindow(), &QAction::triggered, this, &QWidget::close);
    connect(a.quit(), &QAction::triggered, this, &MainWindow::quitRequested);

    connect(a.copy(), &QAction::triggered, this, &MainWindow::copySelection);
    connect(a.paste(), &QAction::triggered, this, &MainWindow::pasteInto);
    connect(a.selectAll(), &QAction::triggered, this, &MainWindow::selectAllInto);
    connect(a.search(), &QAction::triggered, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    for (SidebarItemType type : Library::standardSidebarItems())
        connect(a.filter(type), &QAction::triggered, this, [this, type] { m_sidebar->select(type); });

    connect(a.run(), &QAction::triggered, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_model.start(ids);
    });
    connect(a.stop(), &QAction::triggered, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_model.stop(ids);
    });
    connect(a.toggleStar(), &QAction::triggered, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_model.toggleStar(ids);
    });
    connect(a.copyUrl(), &QAction::triggered, this, [this] { ItemCommands::copyAddresses(selectedItems()); });
    connect(a.openInBrowser(), &QAction::triggered, this, &MainWindow::openSelectedInBrowser);
    connect(a.openFile(), &QAction::triggered, this, &MainWindow::openSelectedFile);
    connect(a.showInFolder(), &QAction::triggered, this, &MainWindow::showSelectedInFolder);
    connect(a.remove(), &QAction::triggered, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_model.remove(ids);
    });
    connect(a.removeWithFile(), &QAction::triggered, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_model.remove(ids, Library::MainModel::FileDisposal::trash);
    });

    a.checkForUpdates()->setEnabled(m_updates && m_updates->canCheckForUpdates());
    if (m_updates)
        connect(a.checkForUpdates(), &QAction::triggered, m_updates, &UpdateChecker::checkForUpdates);
    connect(a.officialWebsite(), &QAction::triggered, this,
            [] { QDesktopServices::openUrl(officialWebsite); });
    connect(a.about(), &QAction::triggered, this, [this] {
        QMessageBox::about(this, tr("About %1").arg(Application::name()),
                           tr("<b>%1</b> %2 (%3)<br>A desktop front end for yt-dlp.")
                               .arg(Application::name(), Application::version(), Application::build()));
    });
}

void MainWindow::buildMenus()
{
    const MainWindowActions& a = m_actions;
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addActions({a.newWithUrl(), a.newFromClipboard()});
    file->addSeparator();
    file->addAction(a.settings());
    file->addSeparator();
    file->addActions({a.closeWindow(), a.quit()});

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({a.copy(), a.paste(), a.selectAll()});
    edit->addSeparator();
    edit->addAction(a.search());

    menuBar()->addMenu(tr("&View"))->addActions(a.filters());

    QMenu* downloads = menuBar()->addMenu(tr("&Downloads"));
    downloads->addActions({a.run(), a.stop(), a.toggleStar()});
    downloads->addSeparator();
    downloads->addActions({a.copyUrl(), a.openInBrowser(), a.openFile(), a.showInFolder()});
    downloads->addSeparator();
    downloads->addActions({a.remove(), a.removeWithFile()});

    menuBar()->addMenu(tr("&Help"))->addActions({a.checkForUpdates(), a.officialWebsite(), a.about()});
}

void MainWindow::buildToolbar()
{
    QToolBar* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName(QStringLiteral("mainToolbar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* newMenu = new QMenu(this);
    newMenu->addActions({m_actions.newWithUrl(), m_actions.newFromClipboard()});
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
    bar->addAction(m_actions.run());
    bar->addAction(m_actions.stop());
    if (auto* stopButton = qobject_cast<QToolButton*>(bar->widgetForAction(m_actions.stop())))
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
    return m_listModel->isSearching() ? tr("Found: %1").arg(m_listModel->rowCount()) : QString();
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
    for (QAction* needsSelection : m_actions.selectionActions())
        needsSelection->setEnabled(any);
    m_actions.openInBrowser()->setEnabled(browsable);
    m_actions.openFile()->setEnabled(hasFile);
    m_actions.removeWithFile()->setEnabled(hasFile);
    m_actions.showInFolder()->setEnabled(hasFile);
    m_actions.remove()->setText(items.size() > 1 ? tr("Delete selected items") : tr("Delete"));
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
    QAction* star = m_actions.toggleStar();
    star->setIcon(
        SymbolIcon::icon(item && item->isStarred() ? QStringLiteral("star.slash") : QStringLiteral("star")));

    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({m_actions.run(), m_actions.stop()});
    menu->addSeparator();
    menu->addActions(
        {m_actions.copyUrl(), m_actions.openInBrowser(), m_actions.openFile(), m_actions.showInFolder()});
    menu->addSeparator();
    menu->addActions({star, m_actions.remove(), m_actions.removeWithFile()});
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
    m_newDialog = new NewDownloadDialog(
        m_model.preferences(),
        [this](const QUrl& url, const Engine::QorvConfig& config) { m_model.add({url}, config); }, this);
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
    // Read only now: lists leave the log out.
    const QString log = m_model.store().itemLog(id).value_or(QString());
    auto* popup = new ErrorDetailsPopup(item->errorMessage(), log, this);
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

void MainWindow::addBar(QWidget* bar)
{
    bar->setParent(m_bars->parentWidget());
    m_bars->addWidget(bar);
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
    UpdateDialog::present(outcome, release, message, userInitiated, this);
}

} // namespace App
