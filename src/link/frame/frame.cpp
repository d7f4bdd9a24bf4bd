#include "frame.h"

#include "crc16.h"

#include <cstdio>

namespace quorvex {

std::size_t sealFrame(std::uint8_t* frame) {
    const std::size_t length = frameLength(frame);
    const std::uint16_t crc = crc16(frame + 2, length + 2);
    frame[length + 4] = static_cast<std::uint8_t>(crc >> 8);
    frame[length + 5] = static_cast<std::uint8_t>(crc & 0xFF);
    return length + kFrameOverhead;
}

std::vector<std::uint8_t> buildFrame(std::uint8_t command, std::span<const std::uint8_t> payload) {
    const std::size_t length = payload.size() + 1;
    std::vector<std::uint8_t> frame(length + kFrameOverhead);
    frame[0] = kMark1;
    frame[1] = kMark2;
    frame[2] = static_cast<std::uint8_t>(length & 0xFF);
    frame[3] = static_cast<std::uint8_t>(length >> 8);
    frame[4] = command;
    std::copy(payload.begin(), payload.end(), frame.begin() + kHeaderSize);
    sealFrame(frame.data());
    return frame;
}

std::vector<Report> cutIntoReports(const std::uint8_t* bytes, std::size_t n) {
    std::vector<Report> reports;
    reports.reserve(n / kReportPayload + 1);
    forEachReport(bytes, n, [&reports](const Report& r) {
        reports.push_back(r);
        return true;
    });
    return reports;
}

namespace {
std::string hexLine(const char* prefix, const std::uint8_t* b) {
    char text[96];
    std::snprintf(text, sizeof text, "%s%02x %02x %02x %02x %02x %02x %02x %02x %02x ....", prefix, b[0], b[1],
                  b[2], b[3], b[4], b[5], b[6], b[7], b[8]);
    return text;
}
}  // namespace

std::string sendLine(const std::uint8_t* first9) { return hexLine("\U0001F31Esend:", first9); }

std::string receiveLine(const std::uint8_t* first9) { return hexLine("\u2614\uFE0Freceive:", first9); }

}  // namespace quorvex
