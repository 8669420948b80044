#include "app/desktop/appearancecontroller.h"

#include "app/appkeys.h"
#include "engine/preferences.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStyle>
#include <QStyleFactory>

namespace App {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// The portal wraps the value in as many variants as its version likes.
QVariant unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

AppearanceController::AppearanceController(Engine::Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences)
{
}

void AppearanceController::start()
{
    if (m_started)
        return;
    m_started = true;
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                    SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
        readPortal();
    }
    m_preferences.subscribe<App::AppAppearance>(App::Keys::appAppearance, this,
                                                [this](const App::AppAppearance& appearance) {
                                                    m_appearance = appearance;
                                                    apply();
                                                });
}

std::optional<bool> AppearanceController::prefersDarkFromColorScheme(uint value)
{
    if (value == 1)
        return true;
    if (value == 2)
        return false;
    return std::nullopt;
}

void AppearanceController::readPortal()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, QStringLiteral("Read"));
    call << appearanceGroup << colorSchemeKey;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        // No portal, or one without the key: the desktop states no preference.
        if (reply.isError())
            return;
        const QVariant value = unwrapped(reply.argumentAt(0));
        bool ok = false;
        const uint scheme = value.toUInt(&ok);
        if (ok)
            setSystemPrefersDark(prefersDarkFromColorScheme(scheme));
    });
}

void AppearanceController::portalSettingChanged(const QString& group, const QString& key,
                                                const QDBusVariant& value)
{
    if (group != appearanceGroup || key != colorSchemeKey)
        return;
    bool ok = false;
    const uint scheme = unwrapped(value.variant()).toUInt(&ok);
    setSystemPrefersDark(ok ? prefersDarkFromColorScheme(scheme) : std::nullopt);
}

void AppearanceController::setSystemPrefersDark(std::optional<bool> dark)
{
    m_systemPrefersDark = dark;
    apply();
}

void AppearanceController::apply()
{
    bool dark = false;
    switch (m_appearance) {
    case App::AppAppearance::system:
        dark = m_systemPrefersDark.value_or(false);
        break;
    case App::AppAppearance::light:
        dark = false;
        break;
    case App::AppAppearance::dark:
        dark = true;
        break;
    }
    m_dark = dark;
    QApplication::setPalette(dark ? darkPalette() : lightPalette());
    Q_EMIT applied(dark);
}

QPalette AppearanceController::lightPalette()
{
    if (QStyle* style = QApplication::style())
        return style->standardPalette();
    return QPalette();
}

QPalette AppearanceController::darkPalette()
{
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(230, 230, 230);
    const QColor disabledText(127, 127, 127);
    const QColor highlight(42, 130, 218);

    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Link, highlight.lighter(130));
    palette.setColor(QPalette::LinkVisited, highlight.lighter(110));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Light, window.lighter(150));
    palette.setColor(QPalette::Midlight, window.lighter(125));
    palette.setColor(QPalette::Mid, window.darker(120));
    palette.setColor(QPalette::Dark, window.darker(150));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, window.lighter(130));
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, disabledText);
    return palette;
}

} // namespace App
