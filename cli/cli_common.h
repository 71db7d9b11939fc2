// What the subcommands of tarvel-cli share: exit codes and input loading.
#pragma once

#include "analysis/conditioning_workspace.h"
#include "analysis/project_loader.h"
#include "data/area_file.h"

#include <memory>
#include <string>
#include <vector>

namespace tarvel::cli {

// kErrorFlagged: analyze --fail-on error found a point with an error flag.
enum ExitCode { kSuccess = 0, kBadUsage = 1, kBadInput = 2, kErrorFlagged = 3 };

// Thrown by the loaders with one line naming the file and what is wrong.
struct InputError {
    std::string message;
};

enum class InputKind { AreaFile, ProjectFile, Unknown };
InputKind inputKindOf(const std::string& path);

// Loads and conditions one .pip; a file that fails or ends early throws,
// so nothing partial is ever reported as a success. With `resultsOnly` the
// points keep marks and results but no conditioned samples.
std::unique_ptr<NamePipeFile> loadAreaOrThrow(const std::string& path, bool resultsOnly = false);

// Reads a .Prj and names the areas of its folder without loading them; a
// project or folder that cannot be read whole throws. Entries named like
// areas that are none are named on standard error.
ProjectLoad listProjectOrThrow(const std::string& path);

// Loads and conditions one area named by listProjectOrThrow, keeping its
// marks and results but no conditioned samples; any failure throws. One
// workspace serves every area of a run.
void loadProjectAreaResultsOrThrow(NamePipeFile& file, ConditioningWorkspace& workspace);

int runAnalyzeCommand(const std::vector<std::string>& args);
int runDiffCommand(const std::vector<std::string>& args);
int runInfoCommand(const std::vector<std::string>& args);
int runSetCommand(const std::vector<std::string>& args);
int runSimulateCommand(const std::vector<std::string>& args);

} // namespace tarvel::cli
