#include "virtual_bus.h"

#include "link_log.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quorvex::vbus {

namespace {

constexpr std::size_t kMaxDescriptorSize = 4096;

// A number field that must be an integer 0..65535.
std::optional<std::uint16_t> wordField(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble()) return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::floor(number) || number < 0.0 || number > 65535.0)
        return std::nullopt;
    return static_cast<std::uint16_t>(number);
}

bool fillAddress(sockaddr_un& address, const std::string& path) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;  // room for the NUL
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Waits for `events` on one fd: returns the events that occurred, 0 on time-out, -1 on error.
int pollOne(int fd, short events, std::chrono::milliseconds timeout) {
    pollfd p{fd, events, 0};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int r = ::poll(&p, 1, static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
        if (r > 0) return p.revents;
        if (r == 0 || errno != EINTR) return r;
    }
}

}  // namespace

std::string encodeDescriptor(const Descriptor& descriptor) {
    QJsonObject object;
    object.insert(QLatin1String("vendor"), descriptor.vendor);
    object.insert(QLatin1String("product"), descriptor.product);
    object.insert(QLatin1String("release"), descriptor.release);
    object.insert(QLatin1String("name"), QString::fromStdString(descriptor.name));
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::optional<Descriptor> decodeDescriptor(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kMaxDescriptorSize) return std::nullopt;
    const QByteArray text(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    const QJsonObject object = document.object();

    const auto vendor = wordField(object, "vendor");
    const auto product = wordField(object, "product");
    const auto release = wordField(object, "release");
    if (!vendor || !product || !release) return std::nullopt;

    Descriptor descriptor{*vendor, *product, *release, {}};
    if (object.contains(QLatin1String("name"))) {  // optional, but a string when present
        const QJsonValue name = object.value(QLatin1String("name"));
        if (!name.isString()) return std::nullopt;
        descriptor.name = name.toString().toStdString();
    }
    return descriptor;
}

DeviceSocket::DeviceSocket(std::string busDir, std::string fileName, Descriptor descriptor)
    : path_(std::move(busDir) + "/" + fileName), descriptor_(std::move(descriptor)) {}

DeviceSocket::~DeviceSocket() { close(); }

bool DeviceSocket::listen() {
    if (listener_ >= 0) return true;
    sockaddr_un finalAddress{};
    if (!fillAddress(finalAddress, path_)) {
        transportWarning("vbus: socket path too long: " + path_);
        return false;
    }
    const std::size_t slash = path_.rfind('/');
    const std::string dir = path_.substr(0, slash);
    if (!dir.empty()) ::mkdir(dir.c_str(), 0755);  // one level; an existing folder is fine

    // Bind under a hidden name and rename once listening, so that a host never finds a
    // socket that refuses connections. The rename also replaces a stale file atomically.
    const std::string hidden = dir + "/." + path_.substr(slash + 1) + ".bind";
    sockaddr_un address{};
    const bool viaHidden = fillAddress(address, hidden);
    if (!viaHidden) address = finalAddress;
    const std::string& bindPath = viaHidden ? hidden : path_;

    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    ::unlink(bindPath.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0 ||
        (viaHidden && ::rename(hidden.c_str(), path_.c_str()) != 0)) {
        transportWarning("vbus: cannot listen at " + path_ + ": " + std::strerror(errno));
        ::unlink(bindPath.c_str());
        ::close(fd);
        return false;
    }
    listener_ = fd;
    return true;
}

bool DeviceSocket::accept(std::chrono::milliseconds timeout) {
    if (connected()) return true;
    if (listener_ < 0) return false;
    const std::string descriptor = encodeDescriptor(descriptor_);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // Hosts may leave connections behind that they gave up on: skip those and wait on.
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int revents = pollOne(listener_, POLLIN, std::max(left, std::chrono::milliseconds(0)));
        if (revents <= 0) return false;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == ECONNABORTED) continue;
            return false;
        }
        // A host that stops reading must not stall the device forever.
        const timeval sendTimeout{2, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendTimeout, sizeof sendTimeout);
        if (::send(fd, descriptor.data(), descriptor.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(descriptor.size())) {
            std::lock_guard lock(sendMutex_);
            peer_ = fd;
            return true;
        }
        ::close(fd);
    }
}

bool DeviceSocket::send(const Report& report) {
    std::lock_guard lock(sendMutex_);
    const int fd = peer_;
    if (fd < 0) return false;
    ssize_t n;
    do {
        n = ::send(fd, report.data(), report.size(), MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(report.size());
}

std::optional<Report> DeviceSocket::receive(std::chrono::milliseconds timeout) {
    const int fd = peer_;
    if (fd < 0) return std::nullopt;
    const int revents = pollOne(fd, POLLIN, timeout);
    if (revents <= 0) return std::nullopt;

    std::uint8_t buffer[2048];
    ssize_t n;
    do {
        n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
        Report report{};
        std::memcpy(report.data(), buffer, std::min(static_cast<std::size_t>(n), report.size()));
        return report;
    }
    // 0 with a hang-up is the host closing; a lone 0 is an empty datagram.
    if ((n == 0 && (revents & (POLLHUP | POLLERR))) || (n < 0 && errno != EAGAIN)) dropPeer();
    return std::nullopt;
}

void DeviceSocket::dropPeer() {
    std::lock_guard lock(sendMutex_);
    if (peer_ >= 0) ::close(peer_);
    peer_ = -1;
}

void DeviceSocket::disconnect() { dropPeer(); }

void DeviceSocket::close() {
    // Remove the name first: a host that sees the hang-up then finds no socket to retry.
    if (listener_ >= 0) {
        ::unlink(path_.c_str());
        ::close(listener_);
        listener_ = -1;
    }
    dropPeer();
}

}  // namespace quorvex::vbus
