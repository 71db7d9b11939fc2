#include "interface_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

namespace tarvel {

namespace {

const QString kLanguageKey = QStringLiteral("interface/language");
const QString kChineseValue = QStringLiteral("zh");
const QString kEnglishValue = QStringLiteral("en");

InterfaceLanguage runningLanguage = InterfaceLanguage::Chinese;

} // namespace

std::optional<InterfaceLanguage> rememberedLanguage(const QSettings& settings) {
    // A value edited by hand into something else counts as no choice.
    const QString value = settings.value(kLanguageKey).toString();
    if (value == kChineseValue)
        return InterfaceLanguage::Chinese;
    if (value == kEnglishValue)
        return InterfaceLanguage::English;
    return std::nullopt;
}

void rememberLanguage(QSettings& settings, InterfaceLanguage language) {
    settings.setValue(kLanguageKey,
                      language == InterfaceLanguage::English ? kEnglishValue : kChineseValue);
}

InterfaceLanguage startupLanguage(const QSettings& settings, const QLocale& system) {
    if (const auto remembered = rememberedLanguage(settings))
        return *remembered;
    return system.language() == QLocale::Chinese ? InterfaceLanguage::Chinese
                                                 : InterfaceLanguage::English;
}

InterfaceLanguage interfaceLanguage() {
    return runningLanguage;
}

void setInterfaceLanguage(InterfaceLanguage language) {
    runningLanguage = language;
}

QString translationSuffix(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? QStringLiteral("en") : QStringLiteral("zh_CN");
}

QString tarvelTranslationsFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.filePath(QStringLiteral("translations"));
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral("../share/tarvel/translations")));
}

} // namespace tarvel
