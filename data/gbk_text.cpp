#include "gbk_text.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace tarvel {
namespace {

// Converts with iconv, replacing every sequence the target cannot hold (or the
// source does not form) by '?' and skipping one source character.
std::string convert(const char* to, const char* from, std::string_view in,
                    std::size_t (*charLength)(const unsigned char*, std::size_t)) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, sizeof buffer - dstLeft);
        if (rc != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: an unconvertible or incomplete character.
        out.push_back('?');
        std::size_t skip = charLength(reinterpret_cast<unsigned char*>(src), srcLeft);
        src += skip;
        srcLeft -= skip;
    }
    iconv_close(cd);
    return out;
}

std::size_t utf8CharLength(const unsigned char* p, std::size_t left) {
    std::size_t n = 1;
    if (*p >= 0xF0)
        n = 4;
    else if (*p >= 0xE0)
        n = 3;
    else if (*p >= 0xC0)
        n = 2;
    return n < left ? n : left;
}

// GBK: a lead byte 0x81..0xFE starts a two-byte character.
std::size_t gbkCharLength(const unsigned char* p, std::size_t left) {
    std::size_t n = (*p >= 0x81 && *p <= 0xFE) ? 2 : 1;
    return n < left ? n : left;
}

} // namespace

std::string gbkToUtf8(std::string_view gbk) {
    std::size_t end = gbk.find('\0');
    if (end != std::string_view::npos)
        gbk = gbk.substr(0, end);
    return convert("UTF-8", "GBK", gbk, gbkCharLength);
}

std::string utf8ToGbk(std::string_view utf8) {
    return convert("GBK", "UTF-8", utf8, utf8CharLength);
}

std::string decodeGbkField(const char* field, std::size_t width) {
    std::size_t length = strnlen(field, width);
    return gbkToUtf8(std::string_view(field, length));
}

void encodeGbkField(std::string_view utf8, char* field, std::size_t width) {
    if (width == 0)
        return;
    std::string gbk = utf8ToGbk(utf8);
    std::size_t kept = 0;
    while (kept < gbk.size()) {
        std::size_t next =
            kept + gbkCharLength(reinterpret_cast<const unsigned char*>(gbk.data()) + kept,
                                 gbk.size() - kept);
        if (next > width - 1)
            break;
        kept = next;
    }
    std::memset(field, 0, width);
    std::memcpy(field, gbk.data(), kept);
}

} // namespace tarvel
