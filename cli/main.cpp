// tarvel-cli: batch analysis, header listings, parameter corrections and synthetic data
// without a screen.
#include "cli_common.h"
#include "edit/header_fields.h"
#ifdef TARVEL_WITH_REPORT
#include "render_command.h"
#include "report_command.h"
#endif

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

const char* const kUsageStart =
    "usage:\n"
    "  tarvel-cli analyze PATH [--format json|csv|text] [--require-ed MPA]\n"
    "      [--require-er MPA] [--guarantee 95|90] [--fail-on error]\n"
    "      PATH is a .pip area file or a .Prj project (every area of its folder);\n"
    "      the required moduli and guarantee rate override PROJECT.acceptance.json\n"
    "  tarvel-cli info PATH\n"
    "  tarvel-cli set PATH FIELD=VALUE... [--dry-run]\n"
    "      stores each value in every area of PATH, changing only those bytes, and prints\n"
    "      per area its file name and deformation and resilient moduli after the change\n";

const char* const kUsageEnd =
    "  tarvel-cli simulate OUTDIR [--areas N] [--rows R] [--columns C]\n"
    "      [--moduli PATTERN]... [--unload-ratio X] [--noise COUNTS]\n"
    "      [--baseline-noise COUNTS] [--pretrigger SAMPLES] [--interval US]\n"
    "      [--samples 1024|2048|4096] [--gain G] [--drop-height M] [--seed S]\n"
    "      [--project NAME] [--project-file NAME.Prj]\n"
    "      PATTERN: uniform:E | gradient:E1:E2 | bump:Ebase:Epeak | random:Elow:Ehigh\n"
    "               | E1,E2,... (MPa; one --moduli per area, the last one repeats)\n"
#ifdef TARVEL_WITH_REPORT
    "  tarvel-cli report PATH.Prj [--excel FILE] [--word FILE [--maps DIR]]\n"
    "      [--pictures DIR --area N --word-pictures FILE] [--pdf]\n"
    "      each area is judged against PROJECT.acceptance.json when it is there\n"
    "  tarvel-cli report PATH.Prj --english [--excel FILE] [--word FILE]\n"
    "      [--pictures DIR --word-pictures FILE] [--exclude NAME]... [--pdf]\n"
#endif
#ifdef TARVEL_WITH_RENDER
    "  tarvel-cli render PATH.pip [--map FILE.png] [--waves DIR [--all]]\n"
    "      the area's distribution map (800 x 400 PNG), and the pictures of its waves\n"
    "      marked for printing (--all: of every wave shown), named as the desktop names them\n"
#endif
    "exit codes: 0 success, 1 bad usage, 2 a file that cannot be read, written or is not valid,\n"
    "  3 analyze --fail-on error found a point with an error flag (the results are printed)\n";

// The fields `set` takes, listed from the table that also validates them.
std::string usage() {
    std::string text = kUsageStart;
    text += "      area fields:";
    std::size_t column = 18;
    for (const tarvel::HeaderField& field : tarvel::kHeaderFields) {
        const std::string key = field.key;
        if (column + 1 + key.size() > 90) {
            text += "\n                  ";
            column = 18;
        }
        text += ' ' + key;
        column += 1 + key.size();
    }
    text += "\n      fields of every point, whole numbers:";
    for (const tarvel::PointField& field : tarvel::kPointFields)
        text += ' ' + std::string(field.key);
    return text + '\n' + kUsageEnd;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tarvel::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? std::cerr : std::cout) << usage();
        return args.empty() ? kBadUsage : kSuccess;
    }
    std::string command = args[0];
    args.erase(args.begin());
    try {
        if (command == "analyze")
            return runAnalyzeCommand(args);
        if (command == "info")
            return runInfoCommand(args);
        if (command == "set")
            return runSetCommand(args);
        if (command == "simulate")
            return runSimulateCommand(args);
#ifdef TARVEL_WITH_REPORT
        if (command == "report")
            return tarvel::runReportCommand(args);
#endif
#ifdef TARVEL_WITH_RENDER
        if (command == "render")
            return tarvel::runRenderCommand(args);
#endif
        throw std::invalid_argument("unknown command '" + command + "'");
    } catch (const std::invalid_argument& error) {
        std::cerr << "tarvel-cli: " << error.what() << '\n' << usage();
        return kBadUsage;
    } catch (const InputError& error) {
        std::cerr << "tarvel-cli: " << error.message << '\n';
        return kBadInput;
    } catch (const std::exception& error) {
        std::cerr << "tarvel-cli: " << error.what() << '\n';
        return kBadInput;
    }
}
