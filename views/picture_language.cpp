#include "picture_language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace tarvel {

EnglishPictures::EnglishPictures() : previous_(interfaceLanguage()) {
    if (previous_ == InterfaceLanguage::English) {
        ready_ = true;
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("tarvel_en"), tarvelTranslationsFolder()))
        return;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    setInterfaceLanguage(InterfaceLanguage::English);
    ready_ = true;
}

EnglishPictures::~EnglishPictures() {
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
    setInterfaceLanguage(previous_);
}

} // namespace tarvel
