#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

namespace quorvex {

// Byte ring between the HID thread (writer) and the loader thread (reader).
// put and get are all or nothing.
class RxRing {
public:
    static constexpr std::size_t kCapacity = 10240;

    // Called after every put and by wakeReader, outside the ring's mutex: the reader may
    // rest until then. Set before the writer starts.
    void setWakeup(std::function<void()> wakeup) { wakeup_ = std::move(wakeup); }
    // The writer's state changed (the device came or went): the reader should look.
    void wakeReader() const;

    bool put(const std::uint8_t* bytes, std::size_t n);
    bool get(std::size_t n, std::uint8_t* out);
    void reset();
    void close();
    std::size_t size() const;

private:
    mutable std::mutex mutex_;
    std::array<std::uint8_t, kCapacity> bytes_{};
    std::size_t count_ = 0;
    std::size_t writeIndex_ = 0;
    std::size_t readIndex_ = 0;
    std::function<void()> wakeup_;
};

}  // namespace quorvex
