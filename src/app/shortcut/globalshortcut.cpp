#include "app/shortcut/globalshortcut.h"

#include "app/shortcut/portalshortcutbackend.h"
#include "app/shortcut/x11shortcutbackend.h"
#include "engine/preferences.h"

#include <QGuiApplication>

#include <utility>

namespace App {

Engine::PreferenceKey<std::optional<QString>> GlobalShortcut::preferenceKey(const QString& name)
{
    return {QStringLiteral("shortcuts/") + name, [] { return std::optional<QString>(); }};
}

GlobalShortcut::GlobalShortcut(Engine::Preferences& preferences, QString name, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_name(std::move(name))
{
    // Wayland offers applications no key grabs; its portal is the only way.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_backend = new PortalShortcutBackend(QDBusConnection::sessionBus(), this);
    else
        m_backend = new X11ShortcutBackend(this);
    connectBackend();
}

GlobalShortcut::GlobalShortcut(Engine::Preferences& preferences, QString name,
                               const QDBusConnection& portalBus, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_name(std::move(name)),
      m_backend(new PortalShortcutBackend(portalBus, this))
{
    connectBackend();
}

GlobalShortcut::~GlobalShortcut() = default;

void GlobalShortcut::connectBackend()
{
    connect(m_backend, &ShortcutBackend::statusChanged, this, &GlobalShortcut::setStatus);
    connect(m_backend, &ShortcutBackend::availabilityChanged, this, [this] {
        if (m_backend->unavailableReason())
            setStatus(m_sequence.isEmpty() ? Status::NotSet : Status::Unavailable);
        else
            setStatus(m_status);
    });
    connect(m_backend, &ShortcutBackend::activated, this, [this] {
        if (m_status == Status::Active)
            Q_EMIT activated();
    });
}

std::optional<QString> GlobalShortcut::unavailableReason() const
{
    return m_backend->unavailableReason();
}

void GlobalShortcut::start()
{
    m_backend->start();
    m_preferences.subscribe<std::optional<QString>>(
        preferenceKey(m_name), this, [this](const std::optional<QString>& stored) {
            setKeySequence(stored ? QKeySequence::fromString(*stored, QKeySequence::PortableText)
                                  : QKeySequence());
        });
    // With a combination stored, binding it has already asked; without, the settings still need
    // to know whether recording one can work.
    if (m_sequence.isEmpty())
        m_backend->probe();
}

void GlobalShortcut::setKeySequence(const QKeySequence& sequence)
{
    m_sequence = sequence;
    if (sequence.isEmpty()) {
        m_backend->release();
        setStatus(Status::NotSet);
        return;
    }
    const QString description =
        m_name == toggleMainWindowName() ? tr("Show or hide the VeltQorv window") : m_name;
    // A global shortcut is one combination; a longer recorded sequence uses its first.
    m_backend->bind(m_name, description, sequence[0]);
}

void GlobalShortcut::setStatus(Status status)
{
    m_status = status;
    Q_EMIT statusChanged(status);
}

QString GlobalShortcut::statusText() const
{
    if (const std::optional<QString> reason = unavailableReason())
        return *reason;
    const QString keys =
        m_sequence.isEmpty() ? QString() : QKeySequence(m_sequence[0]).toString(QKeySequence::NativeText);
    switch (m_status) {
    case Status::NotSet:
        return tr("No shortcut recorded.");
    case Status::Active:
        return m_backend->activeText(keys);
    case Status::Pending:
        return tr("Waiting for the desktop to accept %1…").arg(keys);
    case Status::Declined:
        return tr("The shortcut was declined in the desktop's prompt, so %1 does nothing. Record "
                  "another combination, or clear it and record it again, to be asked once more.")
            .arg(keys);
    case Status::Refused:
        return tr("The desktop did not accept %1 as a global shortcut. Record another combination, "
                  "or assign one in your desktop's keyboard settings.")
            .arg(keys);
    case Status::Taken:
        return tr("%1 is already used by another program. Record another combination.").arg(keys);
    case Status::Invalid:
        return tr("%1 cannot be used as a global shortcut. Record another combination.").arg(keys);
    case Status::Unavailable:
        return unavailableReason().value_or(QString());
    }
    return {};
}

} // namespace App
