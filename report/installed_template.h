// Where a report template is looked for: beside the running program, as the
// install puts it. The library falls back to its built-in copy when the file
// is missing, so a program run from its build folder still writes reports.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace tarvel::scrivet {

inline std::string installedTemplatePath(const char* name) {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(name) : (program.parent_path() / name).string();
}

} // namespace tarvel::scrivet
