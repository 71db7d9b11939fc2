// The translations of the interface: ours and Qt's own (the buttons and
// file dialogs Qt draws), installed before any window is built.
#pragma once

#include "session/interface_language.h"

class QCoreApplication;

// Installs the translators of `wanted` into `app` (Chinese needs only Qt's:
// our source texts are Chinese) and returns the language the interface now
// speaks: Chinese, said on the warning output, when our English translation
// cannot be loaded.
tarvel::InterfaceLanguage installTranslations(QCoreApplication& app,
                                              tarvel::InterfaceLanguage wanted);
