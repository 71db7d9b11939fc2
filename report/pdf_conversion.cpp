#include "pdf_conversion.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tarvel {
namespace {

namespace fs = std::filesystem;

// A directory made under a unique name and removed with its content.
class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const fs::path& pattern) : path_(pattern.string()) {
        if (mkdtemp(path_.data()) == nullptr)
            path_.clear();
    }
    ~TemporaryDirectory() {
        std::error_code ec;
        if (!path_.empty())
            fs::remove_all(path_, ec);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

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

// Runs the program with its output discarded; returns its exit status, or
// -1 when it could not be started.
int runQuietly(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

std::string convertDocumentToPdf(const std::string& soffice, const std::string& documentPath) {
    std::error_code ec;
    const fs::path document = fs::absolute(documentPath, ec);
    if (ec)
        return documentPath + ": " + ec.message();
    TemporaryDirectory profile(fs::temp_directory_path(ec) / "tarvel-libreoffice-XXXXXX");
    TemporaryDirectory output(document.parent_path() / ".tarvel-pdf-XXXXXX");
    if (!profile.ok() || !output.ok())
        return pdfPathFor(documentPath) + ": cannot create a temporary folder";

    const int status =
        runQuietly({soffice, "-env:UserInstallation=" + fileUrl(profile.path()), "--headless",
                    "--convert-to", "pdf", "--outdir", output.path(), document.string()});
    const fs::path made = fs::path(output.path()) / document.filename().replace_extension(".pdf");
    if (status != 0 || !fs::is_regular_file(made, ec))
        return pdfPathFor(documentPath) + ": LibreOffice could not convert " + documentPath +
               (status < 0 ? " (it did not run)" : "");
    fs::rename(made, pdfPathFor(document.string()), ec);
    if (ec)
        return pdfPathFor(documentPath) + ": " + ec.message();
    return {};
}

} // namespace tarvel
