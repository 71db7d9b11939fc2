#include "usage.h"

#include "edit/header_fields.h"

#include <algorithm>
#include <utility>

namespace tarvel::cli {
namespace {

const char* const kAnalyzeUsage =
    "  tarvel-cli analyze PATH [--format json|csv|text] [--require-ed MPA]\n"
    "      [--require-er MPA] [--guarantee 95|90] [--fail-on error]\n"
    "      PATH is a .pip area file or a .Prj project (every area of its folder);\n"
    "      the required moduli and guarantee rate override PROJECT.acceptance.json\n";

const char* const kInfoUsage = "  tarvel-cli info PATH\n";

const char* const kSetUsage =
    "  tarvel-cli set PATH FIELD=VALUE... [--dry-run] [--force]\n"
    "      stores each value in every area of PATH, changing only those bytes, and prints\n"
    "      per area its file name and deformation and resilient moduli after the change;\n"
    "      a value outside its field's plausible range needs --force\n";

const char* const kDiffUsage =
    "  tarvel-cli diff PATH.pip\n"
    "      what was changed since the instrument recorded the area (its original kept in\n"
    "      the folder's 原始数据): header fields, deleted and restored waves, marks set\n"
    "      by hand, print flags\n";

const char* const kSimulateUsage =
    "  tarvel-cli simulate OUTDIR [--areas N] [--rows R] [--columns C]\n"
    "      [--moduli PATTERN]... [--unload-ratio X] [--noise COUNTS]\n"
    "      [--baseline-noise COUNTS] [--pretrigger SAMPLES] [--interval US]\n"
    "      [--samples 1024|2048|4096] [--gain G] [--drop-height M] [--seed S]\n"
    "      [--project NAME] [--project-file NAME.Prj]\n"
    "      field artifacts: [--offset COUNTS] [--drift COUNTS] [--hum50 COUNTS]\n"
    "      [--hum60 COUNTS] [--late-trigger SHARE] [--soft-start SHARE [--soft-start-ms MS]]\n"
    "      [--ringing SHARE] [--over-range SHARE]\n"
    "      PATTERN: uniform:E | gradient:E1:E2 | bump:Ebase:Epeak | random:Elow:Ehigh\n"
    "               | E1,E2,... (MPa; one --moduli per area, the last one repeats)\n";

#ifdef TARVEL_WITH_REPORT
const char* const kReportUsage =
    "  tarvel-cli report PATH.Prj [--excel FILE] [--word FILE] [--word-pictures FILE --area N]\n"
    "      [--maps DIR] [--pictures DIR] [--lab FILE] [--lang zh|en] [--pdf]\n"
    "      areas count from 1; maps and pictures are drawn unless given in --maps, --pictures;\n"
    "      each area is judged against PROJECT.acceptance.json when it is there\n"
    "  tarvel-cli report PATH.Prj --pile [--excel FILE] [--word FILE] [--word-pictures FILE]\n"
    "      [--pictures DIR] [--exclude NAME]... [--lab FILE] [--pdf]\n";
#endif

#ifdef TARVEL_WITH_RENDER
const char* const kRenderUsage =
    "  tarvel-cli render PATH.pip [--map FILE.png] [--waves DIR [--all]]\n"
    "      the area's distribution map (800 x 400 PNG), and the pictures of its waves\n"
    "      marked for printing (--all: of every wave shown), named as the desktop names them\n";
#endif

const char* const kExitCodes =
    "exit codes: 0 success, 1 bad usage, 2 a file that cannot be read, written or is not valid,\n"
    "  3 analyze --fail-on error found a point with an error flag (the results are printed)\n";

// The fields `set` takes, listed from the table that also validates them.
std::string setUsage() {
    std::string text = kSetUsage;
    text += "      area fields:";
    std::size_t column = 18;
    for (const HeaderField& field : kHeaderFields) {
        const std::string key = field.key;
        if (column + 1 + key.size() > 90) {
            text += "\n                  ";
            column = 18;
        }
        text += ' ' + key;
        column += 1 + key.size();
    }
    text += "\n      fields of every point, whole numbers:";
    for (const PointField& field : kPointFields)
        text += ' ' + std::string(field.key);
    return text + '\n';
}

// The commands this build has, in the order the full usage lists them.
std::vector<std::pair<std::string, std::string>> commands() {
    std::vector<std::pair<std::string, std::string>> list = {
        {"analyze", kAnalyzeUsage}, {"info", kInfoUsage},         {"set", setUsage()},
        {"diff", kDiffUsage},       {"simulate", kSimulateUsage},
    };
#ifdef TARVEL_WITH_REPORT
    list.emplace_back("report", kReportUsage);
#endif
#ifdef TARVEL_WITH_RENDER
    list.emplace_back("render", kRenderUsage);
#endif
    return list;
}

} // namespace

std::string usage() {
    std::string text = "usage:\n";
    for (const auto& [name, lines] : commands())
        text += lines;
    return text + kExitCodes;
}

std::optional<std::string> commandUsage(const std::string& command) {
    for (const auto& [name, lines] : commands())
        if (name == command)
            return "usage:\n" + lines + kExitCodes;
    return std::nullopt;
}

bool asksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

} // namespace tarvel::cli
