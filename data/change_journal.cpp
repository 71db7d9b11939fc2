#include "change_journal.h"

#include "content_hash.h"
#include "input_file.h"

#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

constexpr const char* kJournalHeader = "tarvel-journal 1\n";
// A journal names a few hundred files at most; anything larger is not ours.
constexpr std::size_t kMaxJournalSize = 4 << 20;

ChangeStepHook stepHook = nullptr;

void reached(ChangeStep step, std::size_t index = 0) {
    if (stepHook)
        stepHook(step, index);
}

std::string journalPath(const std::string& folder) {
    return folder + kChangeJournalName;
}

// Paths go into the journal absolute, so a writer started elsewhere finds
// them, and as "<length>:<bytes>", so no byte of a name can break a line.
std::string field(const std::string& text) {
    return std::to_string(text.size()) + ":" + text;
}

std::string absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path made = std::filesystem::absolute(path, ec);
    return ec ? path : made.string();
}

struct JournalEntry {
    std::string temporary;
    std::string target;
    std::uint64_t size = 0;
    std::uint64_t totalSize = 0;
    std::uint64_t digest = 0;
};

class JournalReader {
public:
    explicit JournalReader(const std::string& text) : text_(text) {}

    bool readField(std::string& into) {
        std::size_t colon = text_.find(':', at_);
        if (colon == std::string::npos || colon == at_ || colon - at_ > 6)
            return false;
        std::size_t length = 0;
        for (std::size_t i = at_; i < colon; ++i) {
            if (text_[i] < '0' || text_[i] > '9')
                return false;
            length = length * 10 + static_cast<std::size_t>(text_[i] - '0');
        }
        if (length > text_.size() - colon - 1)
            return false;
        into = text_.substr(colon + 1, length);
        at_ = colon + 1 + length;
        return true;
    }
    bool readNumber(std::uint64_t& into, int base) {
        std::size_t end = at_;
        while (end < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[end])))
            ++end;
        if (end == at_ || end - at_ > 20)
            return false;
        char* stop = nullptr;
        const std::string digits = text_.substr(at_, end - at_);
        into = std::strtoull(digits.c_str(), &stop, base);
        at_ = end;
        return *stop == '\0';
    }
    bool expect(char c) {
        if (at_ >= text_.size() || text_[at_] != c)
            return false;
        ++at_;
        return true;
    }
    bool atEnd() const { return at_ == text_.size(); }
    void skip(std::size_t n) { at_ += n; }

private:
    const std::string& text_;
    std::size_t at_ = 0;
};

std::string readJournal(const std::string& folder, std::vector<JournalEntry>& entries) {
    std::vector<unsigned char> bytes;
    InputFile file;
    std::string error = file.open(journalPath(folder));
    if (error.empty() && file.size() > kMaxJournalSize)
        error = "the journal is too large";
    if (error.empty())
        error = readWholeFile(journalPath(folder), bytes);
    if (!error.empty())
        return error;
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t headerLength = std::strlen(kJournalHeader);
    if (text.compare(0, headerLength, kJournalHeader) != 0)
        return "not a journal of this program";
    JournalReader reader(text);
    reader.skip(headerLength);
    while (!reader.atEnd()) {
        JournalEntry entry;
        if (!reader.readField(entry.temporary) || !reader.expect('\t') ||
            !reader.readField(entry.target) || !reader.expect('\t') ||
            !reader.readNumber(entry.size, 10) || !reader.expect('\t') ||
            !reader.readNumber(entry.totalSize, 10) || !reader.expect('\t') ||
            !reader.readNumber(entry.digest, 16) || !reader.expect('\n'))
            return "the journal is damaged";
        entries.push_back(std::move(entry));
    }
    return {};
}

// True when the file at `path` holds what the journal entry says was written.
bool holdsContent(const std::string& path, const JournalEntry& entry) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) != entry.totalSize)
        return false;
    std::uint64_t digest = 0;
    return hashFile(path, digest, entry.size).empty() && digest == entry.digest;
}

std::string removeJournal(const std::string& folder) {
    if (::unlink(journalPath(folder).c_str()) != 0 && errno != ENOENT)
        return writeFailure("cannot remove the journal", errno);
    syncFolderOf(journalPath(folder));
    return {};
}

} // namespace

bool hasPendingChange(const std::string& folder) {
    struct stat info {};
    return ::lstat(journalPath(folder).c_str(), &info) == 0;
}

void setChangeStepHook(ChangeStepHook hook) {
    stepHook = hook;
}

FileChangeSet::FileChangeSet(std::string folder) : folder_(std::move(folder)) {}

std::string FileChangeSet::add(const std::string& path, const void* data, std::size_t size,
                               const TailCopy* tail) {
    Entry entry;
    std::string error = prepareReplacement(path, data, size, entry.prepared, tail);
    if (!error.empty())
        return error;
    entry.size = size;
    entry.totalSize = size + (tail ? tail->length : 0);
    entry.digest = contentHash(data, size);
    files_.push_back(std::move(entry));
    reached(ChangeStep::TemporaryWritten, files_.size() - 1);
    return {};
}

std::string FileChangeSet::writeJournal() {
    std::string text = kJournalHeader;
    for (const Entry& entry : files_) {
        char numbers[80];
        std::snprintf(numbers, sizeof numbers, "\t%" PRIu64 "\t%" PRIu64 "\t%016" PRIx64 "\n",
                      entry.size, entry.totalSize, entry.digest);
        text += field(absolute(entry.prepared.temporary.path())) + "\t" +
                field(absolute(entry.prepared.target)) + numbers;
    }
    return writeFileAtomically(journalPath(folder_), text.data(), text.size());
}

std::string FileChangeSet::commit() {
    // One file is replaced by one rename: no journal needed.
    const bool journaled = files_.size() > 1;
    if (journaled) {
        if (std::string error = writeJournal(); !error.empty()) {
            files_.clear();
            return error + "; no file was changed";
        }
        reached(ChangeStep::JournalWritten);
    }
    for (std::size_t i = 0; i < files_.size(); ++i) {
        PreparedReplacement& prepared = files_[i].prepared;
        std::string error;
        if (!journaled)
            error = prepared.temporary.commit(prepared.target);
        else if (std::rename(prepared.temporary.path().c_str(), prepared.target.c_str()) != 0)
            error = writeFailure("cannot replace the file", errno);
        if (!error.empty()) {
            if (!journaled)
                return error;
            // The journal names what is left: keep it for the next writer.
            error = prepared.target + ": " + error +
                    "; the change is completed by the next save in this folder";
            for (Entry& entry : files_)
                entry.prepared.temporary.forget();
            files_.clear();
            return error;
        }
        prepared.temporary.forget();
        reached(ChangeStep::FileReplaced, i);
    }
    for (const Entry& entry : files_)
        syncFolderOf(entry.prepared.target);
    files_.clear();
    if (journaled) {
        if (std::string error = removeJournal(folder_); !error.empty())
            return error;
        reached(ChangeStep::JournalRemoved);
    }
    return {};
}

PendingCompletion completePendingChange(const std::string& folder) {
    PendingCompletion result;
    if (!hasPendingChange(folder))
        return result;
    result.found = true;
    std::vector<JournalEntry> entries;
    if (std::string error = readJournal(folder, entries); !error.empty()) {
        result.error = journalPath(folder) + ": " + error;
        return result;
    }
    std::vector<std::string> lost;
    for (const JournalEntry& entry : entries) {
        if (holdsContent(entry.temporary, entry)) {
            if (std::rename(entry.temporary.c_str(), entry.target.c_str()) == 0) {
                result.completed.push_back(entry.target);
                syncFolderOf(entry.target);
                continue;
            }
            lost.push_back(entry.target + " (" + std::strerror(errno) + ")");
        } else if (!holdsContent(entry.target, entry)) {
            lost.push_back(entry.target);
        }
    }
    if (!lost.empty()) {
        result.error = "an interrupted change could not be completed; these files keep "
                       "their earlier content:";
        for (const std::string& path : lost)
            result.error += " " + path;
    }
    if (std::string error = removeJournal(folder); !error.empty() && result.error.empty())
        result.error = error;
    return result;
}

} // namespace tarvel
