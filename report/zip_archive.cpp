#include "zip_archive.h"

#include "temporary_file.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace tarvel::scrivet {
namespace {

struct UnzipCloser {
    void operator()(void* archive) const { unzClose(archive); }
};

std::string readCurrentEntry(unzFile archive, const std::string& name) {
    if (unzOpenCurrentFile(archive) != UNZ_OK)
        throw std::runtime_error("cannot open archive entry " + name);
    std::string content;
    char buffer[65536];
    int count = 0;
    while ((count = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0)
        content.append(buffer, static_cast<std::size_t>(count));
    const int closed = unzCloseCurrentFile(archive);
    if (count < 0 || closed != UNZ_OK)
        throw std::runtime_error("archive entry " + name + " is damaged");
    return content;
}

// The fastest level: report markup is repetitive and still shrinks about
// tenfold, in a third of the time the default level takes.
constexpr int kCompressionLevel = Z_BEST_SPEED;

zip_fileinfo entryInfo() {
    zip_fileinfo info{};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    info.tmz_date.tm_sec = static_cast<uInt>(local.tm_sec);
    info.tmz_date.tm_min = static_cast<uInt>(local.tm_min);
    info.tmz_date.tm_hour = static_cast<uInt>(local.tm_hour);
    info.tmz_date.tm_mday = static_cast<uInt>(local.tm_mday);
    info.tmz_date.tm_mon = static_cast<uInt>(local.tm_mon);
    info.tmz_date.tm_year = static_cast<uInt>(local.tm_year + 1900);
    return info;
}

void openEntry(zipFile archive, const std::string& name) {
    const zip_fileinfo info = entryInfo();
    if (zipOpenNewFileInZip64(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                              Z_DEFLATED, kCompressionLevel, 0) != ZIP_OK)
        throw std::runtime_error("cannot write archive entry " + name);
}

void writeToEntry(zipFile archive, const std::string& name, const char* data, std::size_t size) {
    if (size > 0 && zipWriteInFileInZip(archive, data, static_cast<unsigned>(size)) != ZIP_OK)
        throw std::runtime_error("cannot write archive entry " + name);
}

void closeEntry(zipFile archive, const std::string& name) {
    if (zipCloseFileInZip(archive) != ZIP_OK)
        throw std::runtime_error("cannot write archive entry " + name);
}

void addEntry(zipFile archive, const std::string& name, const std::string& content) {
    openEntry(archive, name);
    writeToEntry(archive, name, content.data(), content.size());
    closeEntry(archive, name);
}

void addEntry(zipFile archive, const StreamedEntry& entry) {
    openEntry(archive, entry.name);
    entry.produce(
        [&](const char* data, std::size_t size) { writeToEntry(archive, entry.name, data, size); });
    closeEntry(archive, entry.name);
}

} // namespace

ZipEntries readZipFile(const std::string& path) {
    std::unique_ptr<void, UnzipCloser> archive(unzOpen64(path.c_str()));
    if (!archive)
        throw std::runtime_error("cannot open " + path + " as a zip archive");
    ZipEntries entries;
    for (int status = unzGoToFirstFile(archive.get()); status == UNZ_OK;
         status = unzGoToNextFile(archive.get())) {
        unz_file_info64 info{};
        char name[1024];
        if (unzGetCurrentFileInfo64(archive.get(), &info, name, sizeof name, nullptr, 0, nullptr,
                                    0) != UNZ_OK)
            throw std::runtime_error(path + ": unreadable archive directory");
        entries.emplace_back(name, readCurrentEntry(archive.get(), name));
    }
    return entries;
}

ZipEntries readZipBytes(const unsigned char* bytes, std::size_t size) {
    // minizip reads archives through files, so the bytes go to one first.
    TemporaryFile file(std::filesystem::temp_directory_path().string() + "/", "scrivet");
    std::size_t written = 0;
    while (written < size) {
        ssize_t n = write(file.descriptor(), bytes + written, size - written);
        if (n <= 0)
            throw std::runtime_error("cannot write " + file.path());
        written += static_cast<std::size_t>(n);
    }
    return readZipFile(file.path());
}

void writeZipFile(const std::string& path, const ZipEntries& entries,
                  const std::vector<StreamedEntry>& streamed) {
    TemporaryFile file = temporaryFileBeside(path);
    zipFile archive = zipOpen64(file.path().c_str(), APPEND_STATUS_CREATE);
    if (archive == nullptr)
        throw std::runtime_error("cannot create " + file.path());
    try {
        for (const auto& [name, content] : entries)
            addEntry(archive, name, content);
        for (const StreamedEntry& entry : streamed)
            addEntry(archive, entry);
    } catch (const std::runtime_error& failure) {
        const std::string text = writeFailureText(failure.what(), path);
        zipClose(archive, nullptr);
        throw std::runtime_error(text);
    } catch (...) {
        zipClose(archive, nullptr);
        throw;
    }
    if (zipClose(archive, nullptr) != ZIP_OK)
        throw std::runtime_error(writeFailureText("cannot finish the archive", path));
    file.commitAs(path);
}

} // namespace tarvel::scrivet
