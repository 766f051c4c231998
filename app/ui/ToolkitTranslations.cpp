#include "app/ui/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tovren::app {

QTranslator *installToolkitTranslations(QCoreApplication &application)
{
    // The program speaks Chinese whatever the locale of the machine it runs on.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    auto *translator = new QTranslator(&application);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace tovren::app
