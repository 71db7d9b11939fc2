#include "sample_block.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace tarvel {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kPage = 4096;

std::size_t roundUp(std::size_t value, std::size_t step) {
    return (value + step - 1) / step * step;
}

std::size_t sampleBytes(std::size_t sampleCount, SlotContents contents) {
    const std::size_t raw = sampleCount * sizeof(uint16_t);
    return contents == SlotContents::RawOnly ? raw : raw + sampleCount * sizeof(double);
}

// Slots start on a cache line, so no two points' samples share one.
std::size_t slotBytes(std::size_t sampleCount, SlotContents contents) {
    return roundUp(sampleBytes(sampleCount, contents), 64);
}

// Where a slot's raw samples start: after its conditioned ones, if any.
std::size_t rawOffset(std::size_t sampleCount, SlotContents contents) {
    return contents == SlotContents::RawOnly ? 0 : sampleCount * sizeof(double);
}

// Maps `length` bytes (a multiple of the page size) at a 2 MiB boundary.
// The kernel hands out zeroed pages on first touch, so nothing is filled here.
unsigned char* mapAligned(std::size_t length) {
    const std::size_t padded = length + kHugePage;
    void* mapped =
        mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<unsigned char*>(mapped);
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    auto* aligned = start + (roundUp(address, kHugePage) - address);
    if (aligned > start)
        munmap(start, static_cast<std::size_t>(aligned - start));
    const std::size_t tail = static_cast<std::size_t>(start + padded - (aligned + length));
    if (tail > 0)
        munmap(aligned + length, tail);
    // Only advice: where huge pages are off or scarce, small pages serve.
    madvise(aligned, length, MADV_HUGEPAGE);
    return aligned;
}

} // namespace

SampleBlock::SampleBlock(SampleBlock&& other) noexcept
    : base_(std::exchange(other.base_, nullptr)), length_(std::exchange(other.length_, 0)),
      slots_(std::exchange(other.slots_, 0)), sampleCount_(std::exchange(other.sampleCount_, 0)),
      contents_(other.contents_) {}

SampleBlock& SampleBlock::operator=(SampleBlock&& other) noexcept {
    if (this != &other) {
        release();
        base_ = std::exchange(other.base_, nullptr);
        length_ = std::exchange(other.length_, 0);
        slots_ = std::exchange(other.slots_, 0);
        sampleCount_ = std::exchange(other.sampleCount_, 0);
        contents_ = other.contents_;
    }
    return *this;
}

void SampleBlock::reserve(std::size_t slots, std::size_t sampleCount, SlotContents contents) {
    const std::size_t length = roundUp(slots * slotBytes(sampleCount, contents), kPage);
    if (length > length_) {
        release();
        base_ = mapAligned(length);
        length_ = length;
        // Raw samples alone are read into every slot at once: one call
        // faults the pages in, instead of a trap per page as they are
        // written. Only advice; older kernels leave it to the traps.
        if (contents == SlotContents::RawOnly)
            madvise(base_, length_, MADV_POPULATE_WRITE);
    }
    slots_ = slots;
    sampleCount_ = sampleCount;
    contents_ = contents;
}

void SampleBlock::release() {
    if (base_)
        munmap(base_, length_);
    base_ = nullptr;
    length_ = slots_ = sampleCount_ = 0;
}

double* SampleBlock::accel(std::size_t slot) const {
    if (contents_ == SlotContents::RawOnly)
        return nullptr;
    return reinterpret_cast<double*>(base_ + slot * slotBytes(sampleCount_, contents_));
}

uint16_t* SampleBlock::raw(std::size_t slot) const {
    return reinterpret_cast<uint16_t*>(base_ + slot * slotBytes(sampleCount_, contents_) +
                                       rawOffset(sampleCount_, contents_));
}

} // namespace tarvel
