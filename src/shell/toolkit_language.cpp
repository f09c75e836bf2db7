#include "shell/toolkit_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace r7k {

void Use_toolkit_language(bool chinese)
{
    static QTranslator translations;
    // Installed at most once, whichever language was in force before.
    QCoreApplication::removeTranslator(&translations);
    if (!chinese)
        return;
    // "qt" is the catalogue that takes in qtbase and the other modules' texts.
    if (translations.isEmpty() &&
        !translations.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(&translations);
}

} // namespace r7k
