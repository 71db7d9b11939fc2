// The samples of one point: a slice of its file's sample block, or storage of
// its own for a point built outside a file (tests, generators, copies).
#pragma once

#include <cstddef>
#include <vector>

namespace tarvel {

template <class T> class SampleBuffer {
public:
    SampleBuffer() = default;
    // A copy owns its samples, so it outlives the block it was copied from.
    SampleBuffer(const SampleBuffer& other) : owned_(other.begin(), other.end()) { useOwned(); }
    SampleBuffer& operator=(const SampleBuffer& other) {
        if (this != &other) {
            owned_.assign(other.begin(), other.end());
            useOwned();
        }
        return *this;
    }
    // Moving keeps the addresses: a block slice stays where it is and a
    // vector's heap storage moves with it.
    SampleBuffer(SampleBuffer&& other) noexcept
        : owned_(std::move(other.owned_)), data_(other.data_), size_(other.size_) {
        other.data_ = nullptr;
        other.size_ = 0;
    }
    SampleBuffer& operator=(SampleBuffer&& other) noexcept {
        owned_ = std::move(other.owned_);
        data_ = other.data_;
        size_ = other.size_;
        other.data_ = nullptr;
        other.size_ = 0;
        return *this;
    }

    // Places the samples in room someone else owns and keeps alive longer
    // than this buffer; what is there is not cleared.
    void borrow(T* room, std::size_t size) {
        owned_ = {};
        data_ = room;
        size_ = size;
    }
    void assign(std::size_t size, T value) {
        owned_.assign(size, value);
        useOwned();
    }
    // A no-op at the same size, so a borrowed slice stays in place.
    void resize(std::size_t size) {
        if (size == size_)
            return;
        std::vector<T> grown(begin(), begin() + (size < size_ ? size : size_));
        grown.resize(size);
        owned_ = std::move(grown);
        useOwned();
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t k) { return data_[k]; }
    const T& operator[](std::size_t k) const { return data_[k]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

private:
    void useOwned() {
        data_ = owned_.data();
        size_ = owned_.size();
    }

    std::vector<T> owned_;
    T* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace tarvel
