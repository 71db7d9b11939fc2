#include "content_hash.h"

#include "input_file.h"

#include <vector>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace tarvel {

std::uint64_t contentHash(const void* data, std::size_t size) {
    return XXH3_64bits(data, size);
}

ContentHasher::ContentHasher() : state_(XXH3_createState()) {
    XXH3_64bits_reset(static_cast<XXH3_state_t*>(state_));
}

ContentHasher::~ContentHasher() {
    XXH3_freeState(static_cast<XXH3_state_t*>(state_));
}

void ContentHasher::add(const void* data, std::size_t size) {
    XXH3_64bits_update(static_cast<XXH3_state_t*>(state_), data, size);
}

std::uint64_t ContentHasher::digest() const {
    return XXH3_64bits_digest(static_cast<const XXH3_state_t*>(state_));
}

std::string hashFile(const std::string& path, std::uint64_t& digest, std::uint64_t size) {
    InputFile file;
    std::string error = file.open(path);
    if (!error.empty())
        return error;
    ContentHasher hasher;
    std::vector<unsigned char> buffer(1 << 20);
    const std::uint64_t end = size < file.size() ? size : file.size();
    for (std::uint64_t offset = 0; offset < end;) {
        const std::uint64_t left = end - offset;
        std::size_t got = 0;
        error =
            file.readAt(offset, buffer.data(), left < buffer.size() ? left : buffer.size(), got);
        if (!error.empty())
            return error;
        if (got == 0)
            break;
        hasher.add(buffer.data(), got);
        offset += got;
    }
    digest = hasher.digest();
    return {};
}

} // namespace tarvel
