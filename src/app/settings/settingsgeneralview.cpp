#include "app/settings/settingsgeneralview.h"

#include "app/appkeys.h"
#include "app/desktop/autostartentry.h"
#include "app/desktop/notificationpermission.h"
#include "app/settings/bookmarkletlink.h"
#include "app/settings/sectionfooter.h"
#include "app/shortcut/globalshortcut.h"
#include "engine/preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace App {

using App::AppAppearance;

SettingsGeneralView::SettingsGeneralView(Engine::Preferences& preferences, GlobalShortcut* shortcut,
                                         QWidget* parent)
    : QWidget(parent), m_preferences(preferences), m_shortcut(shortcut),
      m_notifications(new NotificationPermission(QDBusConnection::sessionBus(), this)),
      m_appearance(new QComboBox), m_launchAtLogin(new QCheckBox), m_launchAtLoginError(new QLabel),
      m_notificationStatus(new QLabel), m_notificationEnable(new QPushButton(tr("Enable"))),
      m_notificationAdvice(new QLabel), m_shortcutRecorder(new QKeySequenceEdit),
      m_shortcutClear(new QPushButton(tr("Clear"))), m_shortcutStatus(new QLabel), m_autoCheck(new QCheckBox)
{
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    for (const AppAppearance appearance : {AppAppearance::system, AppAppearance::light, AppAppearance::dark})
        m_appearance->addItem(App::appAppearanceTitle(appearance), static_cast<int>(appearance));
    top->addRow(tr("Appearance"), m_appearance);
    top->addRow(tr("Launch at Login"), m_launchAtLogin);
    m_launchAtLoginError->setWordWrap(true);
    m_launchAtLoginError->hide();
    top->addRow(QString(), m_launchAtLoginError);
    layout->addLayout(top);

    auto* notifications = new QGroupBox(tr("Notifications"));
    auto* notificationsLayout = new QFormLayout(notifications);
    auto* notificationRow = new QHBoxLayout;
    notificationRow->addWidget(m_notificationStatus);
    notificationRow->addWidget(m_notificationEnable);
    notificationRow->addStretch();
    notificationsLayout->addRow(tr("System Notification"), notificationRow);
    m_notificationAdvice->setWordWrap(true);
    m_notificationAdvice->setText(NotificationPermission::unavailableAdvice());
    m_notificationAdvice->hide();
    notificationsLayout->addRow(m_notificationAdvice);
    notificationsLayout->addRow(new SectionFooter(tr("Notify when downloads completed.")));
    layout->addWidget(notifications);

    auto* shortcutBox = new QGroupBox(tr("Shortcut"));
    auto* shortcutLayout = new QFormLayout(shortcutBox);
    auto* recorderRow = new QHBoxLayout;
    recorderRow->addWidget(m_shortcutRecorder);
    recorderRow->addWidget(m_shortcutClear);
    shortcutLayout->addRow(tr("Toggle Main Window"), recorderRow);
    m_shortcutStatus->setWordWrap(true);
    shortcutLayout->addRow(m_shortcutStatus);
    layout->addWidget(shortcutBox);

    auto* browser = new QGroupBox(tr("Browser Button"));
    auto* browserLayout = new QFormLayout(browser);
    auto* bookmarkletRow = new QHBoxLayout;
    bookmarkletRow->addWidget(new BookmarkletLink);
    bookmarkletRow->addStretch();
    browserLayout->addRow(bookmarkletRow);
    browserLayout->addRow(new SectionFooter(
        tr("Drag the button to your browser's bookmarks bar, then click it there on a video's page.")));
    layout->addWidget(browser);

    auto* bottom = new QFormLayout;
    bottom->addRow(tr("Automatically Check Updates"), m_autoCheck);
    layout->addLayout(bottom);
    layout->addStretch();

    // Each control follows its key, so a change made elsewhere shows here at once.
    m_preferences.subscribe<AppAppearance>(
        App::Keys::appAppearance, this, [this](const AppAppearance& appearance) {
            const QSignalBlocker blocker(m_appearance);
            m_appearance->setCurrentIndex(m_appearance->findData(static_cast<int>(appearance)));
        });
    connect(m_appearance, &QComboBox::activated, this, [this](int index) {
        const std::optional<AppAppearance> appearance =
            App::appAppearanceFromRaw(m_appearance->itemData(index).toInt());
        m_preferences.setValue(App::Keys::appAppearance, appearance.value_or(AppAppearance::system));
    });

    m_preferences.subscribe<bool>(App::Keys::autoCheckForUpdates, this, [this](const bool& enabled) {
        const QSignalBlocker blocker(m_autoCheck);
        m_autoCheck->setChecked(enabled);
    });
    connect(m_autoCheck, &QCheckBox::toggled, this,
            [this](bool enabled) { m_preferences.setValue(App::Keys::autoCheckForUpdates, enabled); });

    readLaunchAtLogin();
    connect(m_launchAtLogin, &QCheckBox::toggled, this, &SettingsGeneralView::setLaunchAtLogin);

    showNotificationState(false, false);
    connect(m_notifications, &NotificationPermission::checked, this,
            [this](bool authorized) { showNotificationState(authorized, true); });
    connect(m_notificationEnable, &QPushButton::clicked, m_notifications, &NotificationPermission::request);

    m_preferences.subscribe<std::optional<QString>>(
        GlobalShortcut::preferenceKey(GlobalShortcut::toggleMainWindowName()), this,
        [this](const std::optional<QString>& stored) {
            const QSignalBlocker blocker(m_shortcutRecorder);
            m_shortcutRecorder->setKeySequence(
                stored ? QKeySequence::fromString(*stored, QKeySequence::PortableText) : QKeySequence());
            showShortcutState();
        });
    connect(m_shortcutRecorder, &QKeySequenceEdit::editingFinished, this,
            &SettingsGeneralView::storeShortcut);
    connect(m_shortcutClear, &QPushButton::clicked, this, [this] {
        m_preferences.setValue(GlobalShortcut::preferenceKey(GlobalShortcut::toggleMainWindowName()),
                               std::optional<QString>());
    });
    if (m_shortcut)
        connect(m_shortcut, &GlobalShortcut::statusChanged, this, &SettingsGeneralView::showShortcutState);
    showShortcutState();
}

void SettingsGeneralView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Both states belong to the system and may have changed while the window was closed.
    readLaunchAtLogin();
    m_notifications->check();
}

void SettingsGeneralView::readLaunchAtLogin()
{
    const QSignalBlocker blocker(m_launchAtLogin);
    m_launchAtLogin->setChecked(AutostartEntry::isEnabled());
}

void SettingsGeneralView::setLaunchAtLogin(bool enabled)
{
    const std::optional<QString> error = AutostartEntry::setEnabled(enabled);
    m_launchAtLoginError->setText(error.value_or(QString()));
    m_launchAtLoginError->setVisible(error.has_value());
    readLaunchAtLogin();
}

void SettingsGeneralView::showNotificationState(bool authorized, bool answered)
{
    m_notificationStatus->setText(authorized ? tr("Enabled") : QString());
    m_notificationStatus->setVisible(authorized);
    m_notificationEnable->setVisible(!authorized);
    // Advice only once the bus has answered; before that the state is simply unknown.
    m_notificationAdvice->setVisible(!authorized && answered);
}

void SettingsGeneralView::storeShortcut()
{
    const QKeySequence recorded = m_shortcutRecorder->keySequence();
    if (recorded.isEmpty())
        return;
    // A global shortcut is a single combination.
    const QKeySequence first(recorded[0]);
    {
        const QSignalBlocker blocker(m_shortcutRecorder);
        m_shortcutRecorder->setKeySequence(first);
    }
    m_preferences.setValue(GlobalShortcut::preferenceKey(GlobalShortcut::toggleMainWindowName()),
                           std::optional<QString>(first.toString(QKeySequence::PortableText)));
    showShortcutState();
}

void SettingsGeneralView::showShortcutState()
{
    // Availability can change after the window opened: the desktop portal answers later.
    const bool usable = !m_shortcut || !m_shortcut->unavailableReason();
    m_shortcutRecorder->setEnabled(usable);
    m_shortcutClear->setEnabled(usable);
    const QString text = m_shortcut ? m_shortcut->statusText() : QString();
    m_shortcutStatus->setText(text);
    m_shortcutStatus->setVisible(!text.isEmpty());
}

} // namespace App
