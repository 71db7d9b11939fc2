#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace tarvel;

InterfaceLanguage installTranslations(QCoreApplication& app, InterfaceLanguage wanted) {
    InterfaceLanguage language = wanted;
    if (language == InterfaceLanguage::English) {
        auto* ours = new QTranslator(&app);
        if (ours->load(QStringLiteral("tarvel_en"), tarvelTranslationsFolder())) {
            app.installTranslator(ours);
        } else {
            qWarning("tarvel: no English translation in %s; the interface stays Chinese",
                     qPrintable(tarvelTranslationsFolder()));
            delete ours;
            language = InterfaceLanguage::Chinese;
        }
    }
    // Qt's own texts: without them Qt keeps its English, no reason to stop.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + translationSuffix(language),
                 QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
    else
        delete qt;
    return language;
}
