// Where a report template is looked for: beside the running program, as a
// build folder has it, then in ../share/tarvel from the program, as an install
// puts it. The library falls back to its built-in copy when the file is
// missing, so a program still writes reports when neither is there.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace tarvel::scrivet {

inline std::string installedTemplatePath(const char* name) {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return name;
    const std::filesystem::path beside = program.parent_path() / name;
    const std::filesystem::path shared =
        program.parent_path().parent_path() / "share" / "tarvel" / name;
    return !std::filesystem::exists(beside, ec) && std::filesystem::exists(shared, ec)
               ? shared.string()
               : beside.string();
}

} // namespace tarvel::scrivet
