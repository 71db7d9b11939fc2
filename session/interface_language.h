// The language the interface speaks. It is chosen once, at start-up: the
// user's remembered choice, else the system's; a new choice takes effect at
// the next start, so no window ever mixes two languages.
#pragma once

#include <QString>

#include <optional>

class QLocale;
class QSettings;

namespace tarvel {

enum class InterfaceLanguage { Chinese, English };

// The choice remembered under "interface/language", if any.
std::optional<InterfaceLanguage> rememberedLanguage(const QSettings& settings);
void rememberLanguage(QSettings& settings, InterfaceLanguage language);

// The remembered choice; without one, Chinese for a Chinese system locale
// and English for any other.
InterfaceLanguage startupLanguage(const QSettings& settings, const QLocale& system);

// The language the running interface was started in (Chinese until set).
InterfaceLanguage interfaceLanguage();
void setInterfaceLanguage(InterfaceLanguage language);

// The suffix of the language's translation files: "zh_CN" or "en".
QString translationSuffix(InterfaceLanguage language);

// Where our .qm files are: beside the program, as a build folder has them,
// else in ../share/tarvel/translations from it, as an install puts them.
QString tarvelTranslationsFolder();

} // namespace tarvel
