// tarvel-cli diff: what was changed in an area since the instrument recorded
// it, against the original kept in "原始数据".
#include "analysis/results.h"
#include "cli_common.h"
#include "data/clean_text.h"
#include "data/original_copy.h"
#include "edit/area_changes.h"

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace tarvel::cli {
namespace {

std::string numberList(const std::vector<int>& numbers) {
    std::string text;
    for (int number : numbers)
        text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

std::string marking(bool manual) {
    return manual ? "by hand" : "automatic";
}

void printChanges(std::ostream& out, const AreaChanges& changes) {
    for (const HeaderChange& change : changes.header)
        out << "  " << change.key << ": " << cleanText(change.before) << " -> "
            << cleanText(change.after) << '\n';
    if (!changes.deletedPoints.empty())
        out << "  deleted points: " << numberList(changes.deletedPoints) << '\n';
    if (!changes.restoredWaves.empty())
        out << "  restored (merged) waves: " << numberList(changes.restoredWaves) << '\n';
    for (const MarkChange& mark : changes.marks) {
        out << "  point " << mark.point << " marks: start " << formatFixed(mark.startBefore, 3)
            << " -> " << formatFixed(mark.startAfter, 3) << " ms, end "
            << formatFixed(mark.endBefore, 3) << " -> " << formatFixed(mark.endAfter, 3) << " ms";
        if (mark.manualBefore != mark.manualAfter)
            out << ", " << marking(mark.manualBefore) << " -> " << marking(mark.manualAfter);
        else
            out << ", " << marking(mark.manualAfter);
        out << '\n';
    }
    for (const PrintFlagChange& flag : changes.printFlags)
        out << "  point " << flag.point << " print flag: "
            << (flag.markedAfter ? "not marked -> marked" : "marked -> not marked") << '\n';
}

} // namespace

int runDiffCommand(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0)
        throw std::invalid_argument("diff needs one .pip area file");
    const std::string& path = args[0];
    if (inputKindOf(path) != InputKind::AreaFile)
        throw std::invalid_argument("diff takes one .pip area file");
    const std::unique_ptr<NamePipeFile> current = loadAreaOrThrow(path, true);
    AreaChanges changes;
    if (const std::string error = changesSinceOriginal(path, *current, changes); !error.empty())
        throw InputError{error};

    std::ostringstream out;
    out << cleanText(current->fileName) << ": ";
    if (!changes.originalFound)
        out << "unchanged (no original kept in " << kOriginalsFolder << ")\n";
    else if (changes.empty())
        out << "unchanged since the original " << cleanText(originalPathFor(path)) << '\n';
    else
        out << "changed since the original " << cleanText(originalPathFor(path)) << '\n';
    printChanges(out, changes);
    std::cout << out.str();
    return std::cout.flush() ? kSuccess : kBadInput;
}

} // namespace tarvel::cli
