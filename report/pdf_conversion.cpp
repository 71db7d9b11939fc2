#include "pdf_conversion.h"

#include "temporary_directory.h"

#include "data/atomic_file.h"
#include "data/input_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarvel {
namespace {

namespace fs = std::filesystem;

// A file URL of an absolute path, every byte outside the unreserved set
// escaped, as LibreOffice expects for its profile location.
std::string fileUrl(const std::string& path) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

// Runs the program with its output discarded and `extraEnvironment` over
// ours; returns its exit status, or -1 when it could not be started.
int runQuietly(const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnvironment) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        bool replaced = false;
        for (const std::string& extra : extraEnvironment)
            replaced = replaced || std::strncmp(*entry, extra.c_str(), extra.find('=') + 1) == 0;
        if (!replaced)
            envp.push_back(*entry);
    }
    for (const std::string& extra : extraEnvironment)
        envp.push_back(const_cast<char*>(extra.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A face the documents name, the faces that stand in for it and the
// package that brings them; `onlyFor` the kind of document that needs it.
struct Substitute {
    std::vector<const char*> asked;
    std::vector<const char*> faces;
    const char* package;
    const char* onlyFor;
};

const Substitute kSubstitutes[] = {
    {{"宋体", "SimSun", "NSimSun", "新宋体"},
     {"Noto Serif CJK SC", "AR PL UMing CN", "AR PL SungtiL GB"},
     "fonts-noto-cjk",
     nullptr},
    {{"Times New Roman"}, {"Liberation Serif"}, "fonts-liberation2", nullptr},
    // A workbook's column widths are measured in Calibri's digits: in any
    // other face the printed pages hold a different number of rows.
    {{"Calibri"}, {"Carlito"}, "fonts-crosextra-carlito", ".xlsx"},
};

bool installed(const char* family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    const bool found = fonts != nullptr && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

std::string escapeXml(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '&' ? std::string("&amp;") : c == '<' ? std::string("&lt;") : std::string(1, c);
    return out;
}

// The fontconfig of the conversion: the system's, and each face the
// documents ask for replaced by the first installed stand-in. Returns the
// packages whose faces are missing, of those the documents need.
std::vector<std::string> writeFontConfig(const std::string& path,
                                         const std::vector<std::string>& documents) {
    std::vector<std::string> missing;
    std::string config = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                         "<fontconfig>\n";
    if (FcInit()) {
        FcChar8* system = FcConfigFilename(nullptr);
        if (system != nullptr) {
            config += "<include ignore_missing=\"yes\">" +
                      escapeXml(reinterpret_cast<const char*>(system)) + "</include>\n";
            FcStrFree(system);
        }
    }
    for (const Substitute& substitute : kSubstitutes) {
        const char* face = nullptr;
        for (const char* candidate : substitute.faces)
            if (face == nullptr && installed(candidate))
                face = candidate;
        if (face == nullptr) {
            const bool needed =
                substitute.onlyFor == nullptr ||
                std::any_of(documents.begin(), documents.end(), [&](const std::string& document) {
                    return fs::path(document).extension() == substitute.onlyFor;
                });
            if (needed)
                missing.push_back(substitute.package);
            continue;
        }
        for (const char* asked : substitute.asked)
            config += std::string("<match target=\"pattern\"><test qual=\"any\" name=\"family\">") +
                      "<string>" + asked +
                      "</string></test><edit name=\"family\" mode=\"assign\" " +
                      "binding=\"strong\"><string>" + face + "</string></edit></match>\n";
    }
    config += "</fontconfig>\n";
    std::ofstream(path) << config;
    return missing;
}

// Puts the made PDF in its place as every save does: written beside the
// target and renamed over it, through a link to the file it names.
std::string moveIntoPlace(const fs::path& made, const std::string& target) {
    std::vector<unsigned char> bytes;
    if (std::string reason = readWholeFile(made.string(), bytes); !reason.empty())
        return reason;
    return writeFileAtomically(target, bytes.data(), bytes.size());
}

} // namespace

std::string pdfPathFor(const std::string& documentPath) {
    return fs::path(documentPath).replace_extension(".pdf").string();
}

std::string findSoffice() {
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return {};
    const std::string entries = path;
    for (std::size_t start = 0; start <= entries.size();) {
        std::size_t end = entries.find(':', start);
        if (end == std::string::npos)
            end = entries.size();
        const std::string dir = entries.substr(start, end - start);
        const std::string candidate = (fs::path(dir.empty() ? "." : dir) / "soffice").string();
        if (access(candidate.c_str(), X_OK) == 0 && fs::is_regular_file(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

PdfRun convertDocumentsToPdf(const std::string& soffice,
                             const std::vector<std::string>& documents) {
    PdfRun run;
    if (documents.empty())
        return run;
    TemporaryDirectory work(temporaryPattern("tarvel-libreoffice-"));
    std::error_code ec;
    const fs::path inputs = fs::path(work.path()) / "in";
    const fs::path outputs = fs::path(work.path()) / "out";
    if (!work.ok() || !fs::create_directory(inputs, ec) || !fs::create_directory(outputs, ec)) {
        for (const std::string& document : documents)
            run.failures.push_back(pdfPathFor(document) + ": cannot create a temporary folder");
        return run;
    }
    // Documents of one name in several folders: each goes in under a number.
    std::vector<std::string> args = {
        soffice,         "-env:UserInstallation=" + fileUrl(work.path() + "/profile"),
        "--headless",    "--convert-to",
        "pdf",           "--outdir",
        outputs.string()};
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const fs::path document = fs::absolute(documents[i], ec);
        const fs::path link = inputs / (std::to_string(i + 1) + document.extension().string());
        fs::create_symlink(document, link, ec);
        args.push_back(link.string());
    }
    const std::string fonts = work.path() + "/fonts.conf";
    const std::vector<std::string> missing = writeFontConfig(fonts, documents);
    const int status = runQuietly(args, {"FONTCONFIG_FILE=" + fonts});

    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::string target = pdfPathFor(documents[i]);
        const fs::path made = outputs / (std::to_string(i + 1) + ".pdf");
        if (!fs::is_regular_file(made, ec)) {
            run.failures.push_back(target + ": LibreOffice could not convert " + documents[i] +
                                   (status < 0 ? " (it did not run)" : ""));
            continue;
        }
        if (std::string reason = moveIntoPlace(made, target); !reason.empty())
            run.failures.push_back(target + ": " + reason);
    }
    if (!missing.empty()) {
        run.fontWarning = "the PDFs use other faces than the documents ask for: install";
        for (const std::string& package : missing)
            run.fontWarning += " " + package;
    }
    return run;
}

} // namespace tarvel
