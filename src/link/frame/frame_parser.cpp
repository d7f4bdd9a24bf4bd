#include "frame_parser.h"

#include "crc16.h"

#include <algorithm>

namespace quorvex {

FrameParser::FrameParser(RxRing& ring, Deliver deliver) : ring_(ring), deliver_(std::move(deliver)) {}

void FrameParser::run() {
    for (;;) {
        const int before = state_;
        state_ = step();
        if (state_ == before) return;
    }
}

bool FrameParser::read(std::size_t n) {
    if (!ring_.get(n, buffer_.data() + count_)) return false;
    count_ = static_cast<std::uint16_t>(count_ + n);
    return true;
}

int FrameParser::step() {
    switch (state_) {
    case 0:
        // Hunting drops every byte before the next mark in one go: dropping only one
        // byte per run would let the ring overflow after a lost report.
        while (ring_.get(1, buffer_.data())) {
            if (buffer_[0] == kMark1) {
                count_ = 1;
                return 1;
            }
        }
        return 0;
    case 1:
        if (count_ < 2 && !read(1)) return 1;
        return buffer_[1] == kMark2 ? 2 : 6;
    case 2:
        if (count_ < 4 && !read(4 - count_)) return 2;
        return frameLength(buffer_.data()) <= kMaxRxLength ? 3 : 6;
    case 3: {
        const std::size_t size = frameLength(buffer_.data()) + kFrameOverhead;
        if (count_ < size && !read(size - count_)) return 3;
        return 4;
    }
    case 4: {
        const std::size_t length = frameLength(buffer_.data());
        const std::uint16_t expected = static_cast<std::uint16_t>(buffer_[length + 4] << 8 | buffer_[length + 5]);
        return crc16(buffer_.data() + 2, length + 2) == expected ? 5 : 6;
    }
    case 5: {
        const std::size_t size = frameLength(buffer_.data()) + kFrameOverhead;
        deliver_(buffer_.data(), size);
        // Bytes read past this frame during a resynchronisation belong to the next one.
        const std::size_t surplus = count_ > size ? count_ - size : 0;
        std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(size),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(size + surplus), buffer_.begin());
        count_ = static_cast<std::uint16_t>(surplus);
        if (surplus == 0) return 0;
        return buffer_[0] == kMark1 ? 1 : 6;
    }
    case 6: {
        const auto begin = buffer_.begin() + 1;
        const auto end = buffer_.begin() + count_;
        const auto found = std::find(begin, end, kMark1);
        if (found == end) {
            count_ = 0;
            return 0;
        }
        const auto p = static_cast<std::uint16_t>(found - buffer_.begin());
        std::copy(found, end, buffer_.begin());
        count_ = static_cast<std::uint16_t>(count_ - p);
        return 1;
    }
    default:
        return 0;
    }
}

}  // namespace quorvex
