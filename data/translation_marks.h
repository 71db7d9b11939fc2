// Marks the user-visible texts of the Qt-free libraries for Qt's translation
// tools (lupdate knows the macro by its name). The text stays as it is here;
// the desktop program translates it where it shows it, under the context
// named in the mark.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace tarvel {

// The contexts the marks use, for the program's QCoreApplication::translate.
inline constexpr const char* kEditTextContext = "EditRules";
inline constexpr const char* kVerdictTextContext = "Verdict";

} // namespace tarvel
