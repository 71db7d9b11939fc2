// The usage texts of tarvel-cli: all of them for a bad command line, one
// command's for "tarvel-cli COMMAND --help".
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvel::cli {

// Every command's usage and the exit codes.
std::string usage();

// The usage of one command, or nothing when no command has that name.
std::optional<std::string> commandUsage(const std::string& command);

// True when the words after the command ask for its usage.
bool asksForHelp(const std::vector<std::string>& args);

} // namespace tarvel::cli
