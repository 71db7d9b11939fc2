// "语言 / Language" in the settings menu: the interface language of the next
// start. Its captions are the same in both languages, so a user who cannot
// read the one shown still finds the way to the other.
#pragma once

class QMenu;
class QWidget;

namespace tarvel {
class UserDialogs;
}

// Adds the submenu to `menu`. A choice is remembered in the settings file;
// when it differs from the running interface, a notice says it applies at
// the next start.
void addLanguageMenu(QMenu* menu, tarvel::UserDialogs& dialogs, QWidget* parent);
