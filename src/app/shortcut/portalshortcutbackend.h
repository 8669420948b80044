#pragma once

#include "app/shortcut/shortcutbackend.h"

#include <QDBusConnection>

namespace App {

class GlobalShortcutsPortal;

// Wayland: the desktop portal's global shortcuts. The recorded combination is only a wish; the
// desktop decides the keys and may ask the user first.
class PortalShortcutBackend : public ShortcutBackend
{
    Q_OBJECT
public:
    explicit PortalShortcutBackend(const QDBusConnection& bus, QObject* parent = nullptr);

    void start() override {}
    void probe() override;
    void bind(const QString& id, const QString& description, QKeyCombination combination) override;
    void release() override;
    std::optional<QString> unavailableReason() const override;
    QString activeText(const QString& keys) const override;

private:
    GlobalShortcutsPortal* m_portal;
    QString m_id;
    bool m_missing = false;
    QString m_trigger; // the desktop's own text for the keys it assigned
};

} // namespace App
