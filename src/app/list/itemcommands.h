#pragma once

#include "library/shakeitem.h"

#include <QList>
#include <QString>
#include <QUrl>

class QObject;

namespace App {

// Commands on items that leave the application: the clipboard, the browser, the file manager.
class ItemCommands
{
public:
    // The items' source addresses, one a line; items without one are skipped. False when none.
    static bool copyAddresses(const QList<Library::ShakeItem>& items);
    static QString addressesText(const QList<Library::ShakeItem>& items);
    // Only web pages are handed to the browser: a stored address is never opened as a local
    // file or another program's scheme.
    static bool isBrowsable(const QUrl& url);
    static bool openInBrowser(const Library::ShakeItem& item);
    static bool openFile(const QString& path);
    // Asks the file manager to show the file selected (org.freedesktop.FileManager1 ShowItems);
    // opens the folder instead when no file manager answers.
    static void showInFolder(const QString& path, QObject* context);
};

} // namespace App
