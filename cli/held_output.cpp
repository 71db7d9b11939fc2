#include "held_output.h"

namespace tarvel::cli {

HeldOutput::int_type HeldOutput::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    chunks_.emplace_back(new char[kChunk]); // not cleared: it is written before it is read
    char* chunk = chunks_.back().get();
    setp(chunk, chunk + kChunk);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

bool HeldOutput::writeTo(std::ostream& out) {
    for (std::size_t index = 0; index < chunks_.size(); ++index) {
        const bool last = index + 1 == chunks_.size();
        const std::size_t size = last ? static_cast<std::size_t>(pptr() - pbase()) : kChunk;
        out.write(chunks_[index].get(), static_cast<std::streamsize>(size));
    }
    return static_cast<bool>(out.flush());
}

} // namespace tarvel::cli
