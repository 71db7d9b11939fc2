// Output kept in memory until a run has succeeded, so that a failure prints
// nothing. It grows in chunks: what is already held is never copied again.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>
#include <vector>

namespace tarvel::cli {

class HeldOutput : public std::streambuf {
public:
    HeldOutput() = default;
    HeldOutput(const HeldOutput&) = delete;
    HeldOutput& operator=(const HeldOutput&) = delete;

    // Writes everything held to `out`; false when it could not.
    bool writeTo(std::ostream& out);

protected:
    int_type overflow(int_type c) override;

private:
    static constexpr std::size_t kChunk = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> chunks_; // all but the last are full
};

} // namespace tarvel::cli
