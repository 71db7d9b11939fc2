#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

using namespace tarvel;

QString tarvelTranslationsFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.filePath(QStringLiteral("translations"));
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral("../share/tarvel/translations")));
}

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
