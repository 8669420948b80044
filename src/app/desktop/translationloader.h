#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace App {

// Puts the user's language in place: ours from the program's resources, Qt's own (the
// standard buttons and dialogs) from the system's Qt translations. A language we do not ship
// leaves the English source texts.
class TranslationLoader
{
public:
    // Returns the language installed for our own texts, or an empty string for none.
    static QString install(QCoreApplication& application, const QLocale& locale = QLocale());
    // Where the compiled translations of our own texts are.
    static QString resourceFolder() { return QStringLiteral(":/i18n"); }
};

} // namespace App
