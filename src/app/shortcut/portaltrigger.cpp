#include "app/shortcut/portaltrigger.h"

#include <QHash>

namespace App {

namespace {

// xkbcommon's names of the printable ASCII keys that are not letters or digits.
QString punctuationName(Qt::Key key)
{
    static const QHash<int, QString> names = {
        {Qt::Key_Space, QStringLiteral("space")},
        {Qt::Key_Exclam, QStringLiteral("exclam")},
        {Qt::Key_QuoteDbl, QStringLiteral("quotedbl")},
        {Qt::Key_NumberSign, QStringLiteral("numbersign")},
        {Qt::Key_Dollar, QStringLiteral("dollar")},
        {Qt::Key_Percent, QStringLiteral("percent")},
        {Qt::Key_Ampersand, QStringLiteral("ampersand")},
        {Qt::Key_Apostrophe, QStringLiteral("apostrophe")},
        {Qt::Key_ParenLeft, QStringLiteral("parenleft")},
        {Qt::Key_ParenRight, QStringLiteral("parenright")},
        {Qt::Key_Asterisk, QStringLiteral("asterisk")},
        {Qt::Key_Plus, QStringLiteral("plus")},
        {Qt::Key_Comma, QStringLiteral("comma")},
        {Qt::Key_Minus, QStringLiteral("minus")},
        {Qt::Key_Period, QStringLiteral("period")},
        {Qt::Key_Slash, QStringLiteral("slash")},
        {Qt::Key_Colon, QStringLiteral("colon")},
        {Qt::Key_Semicolon, QStringLiteral("semicolon")},
        {Qt::Key_Less, QStringLiteral("less")},
        {Qt::Key_Equal, QStringLiteral("equal")},
        {Qt::Key_Greater, QStringLiteral("greater")},
        {Qt::Key_Question, QStringLiteral("question")},
        {Qt::Key_At, QStringLiteral("at")},
        {Qt::Key_BracketLeft, QStringLiteral("bracketleft")},
        {Qt::Key_Backslash, QStringLiteral("backslash")},
        {Qt::Key_BracketRight, QStringLiteral("bracketright")},
        {Qt::Key_AsciiCircum, QStringLiteral("asciicircum")},
        {Qt::Key_Underscore, QStringLiteral("underscore")},
        {Qt::Key_QuoteLeft, QStringLiteral("grave")},
        {Qt::Key_BraceLeft, QStringLiteral("braceleft")},
        {Qt::Key_Bar, QStringLiteral("bar")},
        {Qt::Key_BraceRight, QStringLiteral("braceright")},
        {Qt::Key_AsciiTilde, QStringLiteral("asciitilde")},
    };
    return names.value(key);
}

QString functionKeyName(Qt::Key key)
{
    static const QHash<int, QString> names = {
        {Qt::Key_Escape, QStringLiteral("Escape")},
        {Qt::Key_Tab, QStringLiteral("Tab")},
        {Qt::Key_Backspace, QStringLiteral("BackSpace")},
        {Qt::Key_Return, QStringLiteral("Return")},
        {Qt::Key_Enter, QStringLiteral("KP_Enter")},
        {Qt::Key_Insert, QStringLiteral("Insert")},
        {Qt::Key_Delete, QStringLiteral("Delete")},
        {Qt::Key_Pause, QStringLiteral("Pause")},
        {Qt::Key_Print, QStringLiteral("Print")},
        {Qt::Key_Home, QStringLiteral("Home")},
        {Qt::Key_End, QStringLiteral("End")},
        {Qt::Key_Left, QStringLiteral("Left")},
        {Qt::Key_Up, QStringLiteral("Up")},
        {Qt::Key_Right, QStringLiteral("Right")},
        {Qt::Key_Down, QStringLiteral("Down")},
        {Qt::Key_PageUp, QStringLiteral("Page_Up")},
        {Qt::Key_PageDown, QStringLiteral("Page_Down")},
        {Qt::Key_Menu, QStringLiteral("Menu")},
        {Qt::Key_MediaPlay, QStringLiteral("XF86AudioPlay")},
        {Qt::Key_MediaStop, QStringLiteral("XF86AudioStop")},
        {Qt::Key_MediaPrevious, QStringLiteral("XF86AudioPrev")},
        {Qt::Key_MediaNext, QStringLiteral("XF86AudioNext")},
        {Qt::Key_VolumeMute, QStringLiteral("XF86AudioMute")},
        {Qt::Key_VolumeDown, QStringLiteral("XF86AudioLowerVolume")},
        {Qt::Key_VolumeUp, QStringLiteral("XF86AudioRaiseVolume")},
    };
    return names.value(key);
}

// Keypad keys have names of their own; Qt marks them with the keypad modifier.
QString keypadName(Qt::Key key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QStringLiteral("KP_") + QChar(static_cast<char16_t>(key));
    switch (key) {
    case Qt::Key_Plus:
        return QStringLiteral("KP_Add");
    case Qt::Key_Minus:
        return QStringLiteral("KP_Subtract");
    case Qt::Key_Asterisk:
        return QStringLiteral("KP_Multiply");
    case Qt::Key_Slash:
        return QStringLiteral("KP_Divide");
    case Qt::Key_Period:
        return QStringLiteral("KP_Decimal");
    default:
        return {};
    }
}

QString keyName(Qt::Key key, bool keypad)
{
    if (keypad) {
        if (QString name = keypadName(key); !name.isEmpty())
            return name;
    }
    // Letters by their unshifted symbol: Shift travels as a modifier.
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(static_cast<char16_t>(key - Qt::Key_A + 'a'));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QChar(static_cast<char16_t>(key));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    if (QString name = punctuationName(key); !name.isEmpty())
        return name;
    return functionKeyName(key);
}

} // namespace

std::optional<QString> PortalTrigger::fromCombination(QKeyCombination combination)
{
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const QString key = keyName(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (key.isEmpty())
        return std::nullopt;
    QString trigger;
    if (modifiers & Qt::ControlModifier)
        trigger += QStringLiteral("CTRL+");
    if (modifiers & Qt::AltModifier)
        trigger += QStringLiteral("ALT+");
    if (modifiers & Qt::ShiftModifier)
        trigger += QStringLiteral("SHIFT+");
    if (modifiers & Qt::MetaModifier)
        trigger += QStringLiteral("LOGO+");
    return trigger + key;
}

} // namespace App
