// tarvel-cli's side of the drawing module: finding and loading it, and the
// two commands that need it.
#include "cli_common.h"
#include "drawing_module.h"
#include "render_command.h"

#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace tarvel {
namespace cli {
namespace {

// Where the module is looked for: beside the program, as a build tree has
// it, then where the package installs it relative to the program.
std::vector<std::filesystem::path> modulePlaces() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    const std::filesystem::path folder = program.parent_path();
    return {folder / kDrawingModuleFile, folder / TARVEL_INSTALLED_DRAWING_MODULE};
}

const DrawingEntryPoints* openModule(std::string& why) {
    for (const std::filesystem::path& place : modulePlaces()) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(place, error))
            continue;
        void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            why = dlerror();
            return nullptr;
        }
        using Entry = const DrawingEntryPoints* (*)();
        const auto entry = reinterpret_cast<Entry>(dlsym(module, kDrawingEntrySymbol));
        if (!entry) {
            why = place.string() + ": not tarvel-cli's drawing module";
            return nullptr;
        }
        return entry();
    }
    why = std::string(kDrawingModuleFile) + " is neither beside the program nor installed";
    return nullptr;
}

} // namespace

const DrawingEntryPoints* loadDrawingModule(std::string& why) {
    static std::string failure;
    static const DrawingEntryPoints* const module = openModule(failure);
    why = failure;
    return module;
}

} // namespace cli

int runRenderCommand(const std::vector<std::string>& args) {
    std::string why;
    const cli::DrawingEntryPoints* module = cli::loadDrawingModule(why);
    if (!module)
        throw cli::InputError{"render cannot draw: " + why};
    return module->render(args);
}

std::unique_ptr<ReportPainter> makeReportPainter(bool english) {
    std::string why;
    const cli::DrawingEntryPoints* module = cli::loadDrawingModule(why);
    if (!module) {
        std::cerr << "tarvel-cli report: cannot draw maps or pictures (" << why
                  << "): they must come from --maps and --pictures\n";
        return nullptr;
    }
    return std::unique_ptr<ReportPainter>(module->newReportPainter(english));
}

} // namespace tarvel
