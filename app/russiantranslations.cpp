#include "app/russiantranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallRussianTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}
