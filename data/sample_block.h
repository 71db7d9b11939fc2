// One allocation for the samples of every point of a file: each slot holds a
// point's conditioned samples and its raw samples side by side.
//
// A fresh vector per point costs a page fault per 4 KiB touched, which is
// most of the time a load takes; one block aligned to 2 MiB can be backed by
// huge pages instead. Slots never move, so points can lend their samples to
// the views by address.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvel {

// What a slot holds. The views read a point's conditioned samples beside its
// raw ones; a caller that needs only results keeps the raw ones alone, which
// is a fifth of the room and of the fresh pages.
enum class SlotContents { RawAndConditioned, RawOnly };

class SampleBlock {
public:
    SampleBlock() = default;
    ~SampleBlock() { release(); }
    SampleBlock(SampleBlock&& other) noexcept;
    SampleBlock& operator=(SampleBlock&& other) noexcept;
    SampleBlock(const SampleBlock&) = delete;
    SampleBlock& operator=(const SampleBlock&) = delete;

    // Room for `slots` points of `sampleCount` samples. Room held before is
    // reused when it is large enough, so loading one file after another into
    // the same record touches no fresh pages; the samples are not cleared.
    // Throws std::bad_alloc.
    void reserve(std::size_t slots, std::size_t sampleCount,
                 SlotContents contents = SlotContents::RawAndConditioned);
    void release();

    std::size_t slotCount() const { return slots_; }
    std::size_t bytes() const { return length_; }
    std::size_t sampleCount() const { return sampleCount_; }
    // Null when the slots hold raw samples only.
    double* accel(std::size_t slot) const;
    uint16_t* raw(std::size_t slot) const;

private:
    unsigned char* base_ = nullptr;
    std::size_t length_ = 0;
    std::size_t slots_ = 0;
    std::size_t sampleCount_ = 0;
    SlotContents contents_ = SlotContents::RawAndConditioned;
};

} // namespace tarvel
