// Pictures in English whatever the interface speaks: the English reports'
// wave pictures and maps carry English labels.
#pragma once

#include "session/interface_language.h"

#include <memory>

class QTranslator;

namespace tarvel {

// While it lives, views draw in English: our English translation is
// installed and the labels read English; both are put back afterwards.
// Nothing changes when the interface already speaks English.
class EnglishPictures {
public:
    EnglishPictures();
    ~EnglishPictures();
    EnglishPictures(const EnglishPictures&) = delete;
    EnglishPictures& operator=(const EnglishPictures&) = delete;

    // False when the translation could not be loaded: pictures stay Chinese.
    bool ready() const { return ready_; }

private:
    std::unique_ptr<QTranslator> translator_;
    InterfaceLanguage previous_;
    bool ready_ = false;
};

} // namespace tarvel
