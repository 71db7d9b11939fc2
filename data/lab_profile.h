// The testing laboratory that issues the reports: its name, qualification
// (CMA) number, address and phone, the four people who sign a report and an
// optional logo. Kept per user as "lab.json" in the configuration folder:
//   {"name": "…", "qualification": "…", "address": "…", "phone": "…",
//    "author": "…", "checker": "…", "reviewer": "…", "approver": "…",
//    "logo": "logo.png"}
// Every key is optional; a missing one is empty and prints empty.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

struct LabProfile {
    std::string name;
    std::string qualification; // CMA number
    std::string address;
    std::string phone;
    std::string author;   // 编写
    std::string checker;  // 复核
    std::string reviewer; // 审核
    std::string approver; // 批准
    std::string logo;     // a PNG file; relative to the profile's folder

    bool operator==(const LabProfile& other) const;
};

inline constexpr const char* kLabProfileFileName = "lab.json";

// The user's profile: "$XDG_CONFIG_HOME/tarvel/lab.json", or
// "~/.config/tarvel/lab.json" without that variable; empty when neither
// the variable nor HOME says where the configuration folder is.
std::string defaultLabProfilePath();

struct LabProfileRead {
    bool found = false; // false when there is no file: an empty profile
    LabProfile lab;
    std::string error; // "<path>: <reason>" for a file that is there but not valid

    bool ok() const { return error.empty(); }
};

// A missing file reads as an empty profile. Anything but an object of the
// known keys with texts of at most 200 characters (bad JSON, a duplicate or
// unknown key, a value that is not a text) is refused. A relative logo path
// is made absolute against the file's folder.
LabProfileRead readLabProfile(const std::string& path);

// The same checks on text already read; the reason comes without a path
// and the logo path is left as written.
LabProfileRead parseLabProfile(std::string_view text);

// The profile as the file holds it, which parseLabProfile reads back; empty
// fields are left out.
std::string formatLabProfile(const LabProfile& lab);

// Writes the profile atomically, creating its folder; an empty string or
// the reason.
std::string writeLabProfile(const std::string& path, const LabProfile& lab);

} // namespace tarvel
