#pragma once
#include "frame.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>

namespace quorvex::vbus {

// A virtual HID bus: a folder in which every SOCK_SEQPACKET Unix socket is one device.
// The device listens; the host connects. The device's first datagram is a UTF-8 JSON
// descriptor, every later datagram in either direction one 64-byte report.
struct Descriptor {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint16_t release = 0;
    std::string name;
};

std::string encodeDescriptor(const Descriptor& descriptor);
std::optional<Descriptor> decodeDescriptor(std::span<const std::uint8_t> bytes);

// The device end of one socket. Serves one host connection at a time. send() may run on
// another thread than receive(); every other call belongs to one thread. A failed send
// leaves the connection to receive(), which drops it when it sees the host gone.
class DeviceSocket {
public:
    DeviceSocket(std::string busDir, std::string fileName, Descriptor descriptor);
    ~DeviceSocket();  // closes everything and removes the socket file
    DeviceSocket(const DeviceSocket&) = delete;
    DeviceSocket& operator=(const DeviceSocket&) = delete;

    // Creates and binds the socket file (replacing a stale one). False on failure.
    bool listen();
    // Waits up to `timeout` for a host; sends the descriptor once connected.
    bool accept(std::chrono::milliseconds timeout);
    bool connected() const { return peer_ >= 0; }
    // One report to the host. False when there is no host or the host went away.
    bool send(const Report& report);
    // Waits up to `timeout` for one datagram from the host. A datagram of another size
    // than 64 bytes is returned padded or cut; nullopt on time-out; on a closed host the
    // connection is dropped (connected() turns false) and nullopt returned.
    std::optional<Report> receive(std::chrono::milliseconds timeout);
    // Drops the current host connection; the socket keeps listening.
    void disconnect();
    // Unplug: drops the host and removes the socket file.
    void close();

    const std::string& path() const { return path_; }

private:
    std::string path_;
    Descriptor descriptor_;
    int listener_ = -1;
    std::atomic<int> peer_{-1};
    std::mutex sendMutex_;  // held while send() uses peer_, so it is never closed under it

    void dropPeer();
};

}  // namespace quorvex::vbus
