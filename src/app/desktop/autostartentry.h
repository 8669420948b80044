#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace App {

// Launch at login through the XDG autostart folder: the entry exists while the toggle is on.
// The file is the state; nothing else remembers it, so a change made outside the application
// (a desktop's session settings, a deleted file) shows as it is.
class AutostartEntry
{
    Q_DECLARE_TR_FUNCTIONS(AutostartEntry)

public:
    // $XDG_CONFIG_HOME/autostart/org.veltqorv.VeltQorv.desktop
    static QString filePath();

    // The entry exists and the desktop has not been told to skip it.
    static bool isEnabled();

    // Writes or removes the entry; an error text when the folder or file cannot be written.
    // `executable` is what the entry starts (the running program by default).
    static std::optional<QString> setEnabled(bool enabled, const QString& executable = {});

    // The entry's text for `executable`, quoted as desktop entries require.
    static QString contents(const QString& executable);
};

} // namespace App
