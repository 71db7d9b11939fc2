#include "picture_file.h"

#include "data/input_file.h"

#include <algorithm>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

constexpr std::uint64_t kMaxPictureBytes = 64ull << 20;
const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

} // namespace

std::vector<unsigned char> readPicture(const std::string& path, const char* what) {
    auto failure = [&](const std::string& reason) {
        return std::runtime_error(std::string(what) + " " + path + ": " + reason);
    };
    InputFile file;
    if (std::string reason = file.open(path); !reason.empty())
        throw failure(reason);
    if (file.size() > kMaxPictureBytes)
        throw failure("larger than 64 MiB");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.size()));
    std::size_t got = 0;
    if (std::string reason = file.readAt(0, bytes.data(), bytes.size(), got); !reason.empty())
        throw failure(reason);
    bytes.resize(got);
    if (pngSize(bytes).first <= 0)
        throw failure("not a PNG picture");
    return bytes;
}

std::pair<int, int> pngSize(const std::vector<unsigned char>& png) {
    if (png.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), png.begin()))
        return {0, 0};
    auto be32 = [&](std::size_t at) {
        return static_cast<int>((png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) |
                                png[at + 3]);
    };
    return {be32(16), be32(20)};
}

} // namespace tarvel::scrivet
