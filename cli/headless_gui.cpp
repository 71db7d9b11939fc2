#include "headless_gui.h"

#include "views/application_font.h"

#include <QApplication>
#include <cstdlib>

namespace tarvel::cli {
namespace {

int argc = 1;
char name[] = "tarvel-cli";
char* argv[] = {name, nullptr};

// Widgets need a platform; a script on a server has no display.
void chooseHeadlessPlatform() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace

HeadlessGui::HeadlessGui() {
    chooseHeadlessPlatform();
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    app_ = std::make_unique<QApplication>(argc, argv);
    // Pictures drawn as the desktop draws them.
    setApplicationFont();
}

HeadlessGui::~HeadlessGui() = default;

} // namespace tarvel::cli
