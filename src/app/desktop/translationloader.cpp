#include "translationloader.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace App {

QString TranslationLoader::install(QCoreApplication& application, const QLocale& locale)
{
    // Parented to the application, so they live as long as the texts they translate.
    auto* qt = new QTranslator(&application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;

    auto* own = new QTranslator(&application);
    if (!own->load(locale, QStringLiteral("veltqorv"), QStringLiteral("_"), resourceFolder())) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    return own->language();
}

} // namespace App
