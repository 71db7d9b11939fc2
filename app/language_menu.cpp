#include "language_menu.h"

#include "session/app_settings.h"
#include "session/interface_language.h"
#include "views/user_dialogs.h"

#include <QActionGroup>
#include <QMenu>

using namespace tarvel;

void addLanguageMenu(QMenu* menu, UserDialogs& dialogs, QWidget* parent) {
    QMenu* languages = menu->addMenu(QStringLiteral("语言 / Language"));
    languages->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(languages);
    group->setExclusive(true);
    // What the next start will use: the remembered choice, else what runs now.
    const InterfaceLanguage next =
        rememberedLanguage(*openAppSettings()).value_or(interfaceLanguage());
    const struct {
        const char* caption;
        const char* name;
        InterfaceLanguage language;
    } choices[] = {
        {"中文", "chineseInterface", InterfaceLanguage::Chinese},
        {"English", "englishInterface", InterfaceLanguage::English},
    };
    for (const auto& choice : choices) {
        QAction* action = languages->addAction(QString::fromUtf8(choice.caption));
        action->setObjectName(QString::fromLatin1(choice.name));
        action->setCheckable(true);
        action->setChecked(choice.language == next);
        group->addAction(action);
        const InterfaceLanguage language = choice.language;
        QObject::connect(action, &QAction::triggered, parent, [&dialogs, parent, language] {
            rememberLanguage(*openAppSettings(), language);
            if (language != interfaceLanguage())
                dialogs.notify(parent, NoticeIcon::Information, QStringLiteral("Tarvel"),
                               QStringLiteral("界面语言将在下次启动时更改。\n"
                                              "The interface language changes at the next "
                                              "start."));
        });
    }
}
