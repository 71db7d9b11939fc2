// tarvel-cli set: corrects stored parameters across every area of a file or
// project, changing only the bytes of the named fields.
#include "analysis/area_order.h"
#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "area_bytes_patch.h"
#include "cli_common.h"
#include "data/atomic_file.h"
#include "data/input_file.h"
#include "data/project_file.h"
#include "edit/header_fields.h"
#include "edit/plausible_values.h"

#include <cstdio>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
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

std::vector<std::string> areaPaths(const std::string& path) {
    switch (inputKindOf(path)) {
    case InputKind::AreaFile:
        return {path};
    case InputKind::ProjectFile: {
        // The same areas, in the same order, as analyze reads them.
        ProjectInfo info{};
        const std::string error = readProjectFile(path, info);
        if (!error.empty())
            throw InputError{path + ": " + error};
        std::string dir;
        std::string name;
        splitPath(path, dir, name);
        AreaFileList files;
        // A folder that cannot be listed would pass for a project without areas.
        if (const std::string listing = scanProjectDirectory(dir, files); !listing.empty())
            throw InputError{listing};
        sortAreasByFileName(files);
        std::vector<std::string> paths;
        for (const auto& file : files)
            paths.push_back(file->path());
        return paths;
    }
    case InputKind::Unknown:
        break;
    }
    throw InputError{path + ": not a .pip area file or a .Prj project file"};
}

struct AreaChange {
    std::string path;
    std::string fileName;
    std::vector<unsigned char> before;
    std::vector<unsigned char> after;
    AreaMeans means;
};

// Reads one area whole and patches it; the means come from loading the
// patched bytes as any area is loaded.
AreaChange prepareArea(const std::string& path, const AreaPatches& patches) {
    AreaChange change;
    change.path = path;
    std::string dir;
    splitPath(path, dir, change.fileName);
    const std::string error = readWholeFile(path, change.before);
    if (!error.empty())
        throw InputError{path + ": " + error};
    NamePipeFile record;
    const LoadResult asRead = parseAreaFile(change.before.data(), change.before.size(), record);
    if (!asRead.ok())
        throw InputError{path + ": " + asRead.message};

    change.after = patchAreaBytes(change.before, patches);
    const LoadResult patched = parseAreaFile(change.after.data(), change.after.size(), record);
    if (!patched.ok())
        throw InputError{path + ": " + patched.message};
    conditionFile(record);
    change.means = computeAreaMeans(record);
    return change;
}

// Every temporary is written before any area is replaced, so a failed write
// leaves every area as it was.
void writeChangedAreas(const std::vector<AreaChange>& changes) {
    std::vector<std::pair<std::string, std::string>> pending; // temporary, area
    auto dropPending = [&pending](std::size_t from) {
        for (std::size_t i = from; i < pending.size(); ++i)
            std::remove(pending[i].first.c_str());
    };
    for (const AreaChange& change : changes) {
        if (change.after == change.before)
            continue;
        std::string temporary;
        const std::string error =
            writeTemporaryFor(change.path, change.after.data(), change.after.size(), temporary);
        if (!error.empty()) {
            dropPending(0);
            throw InputError{change.path + ": " + error + "; no area was changed"};
        }
        pending.emplace_back(temporary, change.path);
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const std::string error = replaceWithTemporary(pending[i].first, pending[i].second);
        if (!error.empty()) {
            dropPending(i + 1);
            throw InputError{pending[i].second + ": " + error};
        }
    }
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

    std::vector<AreaChange> changes;
    for (const std::string& areaPath : areaPaths(path))
        changes.push_back(prepareArea(areaPath, patches));
    if (!dryRun)
        writeChangedAreas(changes);

    for (const AreaChange& change : changes) {
        std::cout << change.fileName << '\t'
                  << meanText(change.means, change.means.deformationModulus) << '\t'
                  << meanText(change.means, change.means.resilientModulus) << '\n';
    }
    return std::cout.flush() ? kSuccess : kBadInput;
}

} // namespace tarvel::cli
