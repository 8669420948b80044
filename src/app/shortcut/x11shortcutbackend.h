#pragma once

#include "app/shortcut/shortcutbackend.h"

#include <QAbstractNativeEventFilter>
#include <QList>

namespace App {

// X11: a passive key grab on the root window of the application's own connection, once per
// combination of the Caps Lock and Num Lock states. The shortcut fires when its key is let go.
class X11ShortcutBackend : public ShortcutBackend, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    using ShortcutBackend::ShortcutBackend;
    ~X11ShortcutBackend() override;

    void start() override;
    void bind(const QString& id, const QString& description, QKeyCombination combination) override;
    void release() override;
    std::optional<QString> unavailableReason() const override;
    QString activeText(const QString& keys) const override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab
    {
        quint8 keycode = 0;
        quint16 modifiers = 0;
    };

    GlobalShortcut::Status grab(const QKeyCombination& combination);
    void ungrab();

    QList<Grab> m_grabs;
    quint16 m_modifiers = 0;        // the combination's own modifiers
    quint16 m_ignoredModifiers = 0; // Caps Lock and Num Lock
    bool m_filterInstalled = false;
    bool m_pressed = false;
};

} // namespace App
