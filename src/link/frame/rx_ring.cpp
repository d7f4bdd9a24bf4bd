#include "rx_ring.h"

namespace quorvex {

bool RxRing::put(const std::uint8_t* bytes, std::size_t n) {
    {
        std::lock_guard lock(mutex_);
        if (n > kCapacity - count_) return false;
        for (std::size_t i = 0; i < n; ++i) {
            bytes_[writeIndex_] = bytes[i];
            writeIndex_ = (writeIndex_ + 1) % kCapacity;
        }
        count_ += n;
    }
    wakeReader();
    return true;
}

void RxRing::wakeReader() const {
    if (wakeup_) wakeup_();
}

bool RxRing::get(std::size_t n, std::uint8_t* out) {
    std::lock_guard lock(mutex_);
    if (n > count_) return false;
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = bytes_[readIndex_];
        readIndex_ = (readIndex_ + 1) % kCapacity;
    }
    count_ -= n;
    return true;
}

void RxRing::reset() {
    std::lock_guard lock(mutex_);
    count_ = writeIndex_ = readIndex_ = 0;
}

void RxRing::close() { reset(); }

std::size_t RxRing::size() const {
    std::lock_guard lock(mutex_);
    return count_;
}

}  // namespace quorvex
