#include "app/shortcut/portalshortcutbackend.h"

#include "app/shortcut/globalshortcutsportal.h"
#include "app/shortcut/portaltrigger.h"

#include <utility>

namespace App {

PortalShortcutBackend::PortalShortcutBackend(const QDBusConnection& bus, QObject* parent)
    : ShortcutBackend(parent), m_portal(new GlobalShortcutsPortal(bus, this))
{
    connect(m_portal, &GlobalShortcutsPortal::present, this, [this] {
        if (std::exchange(m_missing, false))
            Q_EMIT availabilityChanged();
    });
    connect(m_portal, &GlobalShortcutsPortal::bound, this, [this](const QString& id, const QString& trigger) {
        if (id != m_id)
            return;
        m_missing = false;
        m_trigger = trigger;
        Q_EMIT statusChanged(GlobalShortcut::Status::Active);
    });
    connect(m_portal, &GlobalShortcutsPortal::failed, this, [this](GlobalShortcutsPortal::Failure failure) {
        switch (failure) {
        case GlobalShortcutsPortal::Failure::Missing:
            m_missing = true;
            Q_EMIT availabilityChanged();
            return;
        case GlobalShortcutsPortal::Failure::Declined:
            Q_EMIT statusChanged(GlobalShortcut::Status::Declined);
            return;
        case GlobalShortcutsPortal::Failure::Refused:
            Q_EMIT statusChanged(GlobalShortcut::Status::Refused);
            return;
        }
    });
    connect(m_portal, &GlobalShortcutsPortal::activated, this, [this](const QString& id) {
        if (id == m_id)
            Q_EMIT activated();
    });
}

void PortalShortcutBackend::probe()
{
    m_portal->probe();
}

void PortalShortcutBackend::bind(const QString& id, const QString& description, QKeyCombination combination)
{
    m_id = id;
    const std::optional<QString> trigger = PortalTrigger::fromCombination(combination);
    if (!trigger) {
        m_portal->release();
        Q_EMIT statusChanged(GlobalShortcut::Status::Invalid);
        return;
    }
    m_trigger.clear();
    Q_EMIT statusChanged(GlobalShortcut::Status::Pending);
    m_portal->bind(id, description, *trigger);
}

void PortalShortcutBackend::release()
{
    m_portal->release();
}

std::optional<QString> PortalShortcutBackend::unavailableReason() const
{
    if (!m_missing)
        return std::nullopt;
    return tr("Global shortcuts are not available in a Wayland session: the desktop does not let "
              "applications listen for keys pressed in other windows. Use your desktop's own "
              "keyboard settings to run \"veltqorv\" instead.");
}

QString PortalShortcutBackend::activeText(const QString& keys) const
{
    Q_UNUSED(keys)
    // The desktop may have assigned other keys than those recorded; its own text is the truth.
    if (m_trigger.isEmpty())
        return tr("The desktop accepted the shortcut but assigned it no keys. Choose them in "
                  "your desktop's keyboard settings.");
    return tr("Press %1 anywhere to show or hide the main window.").arg(m_trigger);
}

} // namespace App
