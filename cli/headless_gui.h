// The widget machinery the drawing commands need, without a screen.
#pragma once

#include <memory>

class QApplication;

namespace tarvel::cli {

// A QApplication drawing off screen when there is no display, with the
// desktop's font and Qt's own notes kept off standard error (errors are
// said once, by the command).
class HeadlessGui {
public:
    HeadlessGui();
    ~HeadlessGui();
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

private:
    std::unique_ptr<QApplication> app_;
};

} // namespace tarvel::cli
