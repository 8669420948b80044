#pragma once

#include "app/shortcut/globalshortcut.h"

#include <QKeyCombination>
#include <QObject>
#include <QString>

#include <optional>

namespace App {

// How a GlobalShortcut reaches the keyboard of the session: one implementation per display
// system, picked once when the shortcut is made.
class ShortcutBackend : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts listening for presses; called once, before the first bind().
    virtual void start() = 0;
    // Finds out whether recording a combination can work, for when none is bound yet;
    // availabilityChanged() tells when the answer differs from what unavailableReason() said.
    virtual void probe() {}
    // Takes `combination` in place of whatever was bound; the outcome comes with statusChanged(),
    // possibly before this returns.
    virtual void bind(const QString& id, const QString& description, QKeyCombination combination) = 0;
    virtual void release() = 0;

    // Why no global shortcut can work here; nothing while one can or may.
    virtual std::optional<QString> unavailableReason() const = 0;
    // What the settings show while the shortcut is active; `keys` is the recorded combination.
    virtual QString activeText(const QString& keys) const = 0;

Q_SIGNALS:
    void statusChanged(App::GlobalShortcut::Status status);
    void availabilityChanged();
    void activated();
};

} // namespace App
