// tarvel-cli set: corrects stored parameters across every area of a file or
// project, changing only the bytes of the named fields.
#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "area_bytes_patch.h"
#include "area_writer.h"
#include "cli_common.h"
#include "data/project_file.h"
#include "edit/header_fields.h"
#include "edit/plausible_values.h"

#include <iostream>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel::cli {
namespace {

// A refused FIELD=VALUE: one line naming it and why, exit code 1.
struct RefusedAssignment {
    std::string message;
};

// `force` stores a value outside its field's plausible range too.
void addAssignment(const std::string& text, AreaPatches& patches, std::set<std::string>& seen,
                   bool force) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
        throw RefusedAssignment{text + ": not FIELD=VALUE"};
    const std::string key = text.substr(0, equals);
    const std::string valueText = text.substr(equals + 1);
    if (!seen.insert(key).second)
        throw RefusedAssignment{text + ": " + key + " is given twice"};
    std::string why;
    if (const HeaderField* field = findHeaderField(key)) {
        float value = 0;
        if (!acceptsHeaderText(*field, valueText, value, why))
            throw RefusedAssignment{text + ": " + why};
        if (const PlausibleRange* range = implausibleRange(key, value); range && !force)
            throw RefusedAssignment{text + ": " + implausibleText(*range) +
                                    " (--force sets it all the same)"};
        patches.header.push_back(floatPatch(field->offset, value));
    } else if (const PointField* field = findPointField(key)) {
        int32_t value = 0;
        if (!acceptsPointText(*field, valueText, value, why))
            throw RefusedAssignment{text + ": " + why};
        patches.points.push_back(int32Patch(field->offset, value));
    } else {
        throw RefusedAssignment{text + ": unknown field " + key};
    }
}

struct SetTargets {
    std::string folder; // where the lock and the journal go
    std::vector<std::string> paths;
};

SetTargets targetsOf(const std::string& path) {
    SetTargets targets;
    std::string name;
    splitPath(path, targets.folder, name);
    switch (inputKindOf(path)) {
    case InputKind::AreaFile:
        targets.paths = {path};
        return targets;
    case InputKind::ProjectFile:
        // The same areas, in the same order, as analyze reads them.
        for (const auto& file : listProjectOrThrow(path).files)
            targets.paths.push_back(file->path());
        return targets;
    case InputKind::Unknown:
        break;
    }
    throw InputError{path + ": not a .pip area file or a .Prj project file"};
}

struct AreaChange {
    AreaBytes before;
    std::string fileName;
    std::vector<unsigned char> after;
    AreaMeans means;
};

// Reads one area and patches it; the means come from loading the patched
// bytes as any area is loaded.
AreaChange prepareArea(const std::string& path, const AreaPatches& patches) {
    AreaChange change;
    change.before = readAreaBytes(path);
    std::string dir;
    splitPath(path, dir, change.fileName);
    const std::vector<unsigned char>& before = change.before.bytes;
    NamePipeFile record;
    const LoadResult asRead = parseAreaFile(before.data(), before.size(), record);
    if (!asRead.ok())
        throw InputError{path + ": " + asRead.message};

    change.after = patchAreaBytes(before, patches);
    const LoadResult patched = parseAreaFile(change.after.data(), change.after.size(), record);
    if (!patched.ok())
        throw InputError{path + ": " + patched.message};
    conditionFile(record);
    change.means = computeAreaMeans(record);
    return change;
}

void writeChangedAreas(FolderWriter& writer, const std::vector<AreaChange>& changes) {
    std::vector<AreaReplacement> replacements;
    for (const AreaChange& change : changes) {
        if (change.after != change.before.bytes)
            replacements.push_back({&change.before, &change.after});
    }
    if (!replacements.empty())
        writer.replaceAreas(replacements);
}

std::string meanText(const AreaMeans& means, double value) {
    return means.valid ? formatFixed(value, 2) : std::string("-");
}

} // namespace

int runSetCommand(const std::vector<std::string>& args) {
    std::string path;
    std::vector<std::string> assignments;
    bool dryRun = false;
    bool force = false;
    for (const std::string& arg : args) {
        if (arg == "--dry-run")
            dryRun = true;
        else if (arg == "--force")
            force = true;
        else if (arg.rfind("--", 0) == 0)
            throw std::invalid_argument("unexpected argument '" + arg + "'");
        else if (path.empty())
            path = arg;
        else
            assignments.push_back(arg);
    }
    if (path.empty() || assignments.empty())
        throw std::invalid_argument("set needs a .pip or .Prj path and at least one FIELD=VALUE");

    AreaPatches patches;
    std::set<std::string> seen;
    try {
        for (const std::string& assignment : assignments)
            addAssignment(assignment, patches, seen, force);
    } catch (const RefusedAssignment& refused) {
        std::cerr << "tarvel-cli: " << refused.message << '\n';
        return kBadUsage;
    }

    const SetTargets targets = targetsOf(path);
    // The lock comes before the first read: what is patched is what is
    // replaced, with no other writer in between.
    std::optional<FolderWriter> writer;
    if (!dryRun)
        writer.emplace(targets.folder, "tarvel-cli set");
    std::vector<AreaChange> changes;
    for (const std::string& areaPath : targets.paths)
        changes.push_back(prepareArea(areaPath, patches));
    if (writer)
        writeChangedAreas(*writer, changes);

    for (const AreaChange& change : changes) {
        std::cout << change.fileName << '\t'
                  << meanText(change.means, change.means.deformationModulus) << '\t'
                  << meanText(change.means, change.means.resilientModulus) << '\n';
    }
    return std::cout.flush() ? kSuccess : kBadInput;
}

} // namespace tarvel::cli
