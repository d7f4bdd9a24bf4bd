#include "global_eq.h"

#include <algorithm>

namespace quorvex::settings {

namespace {
std::size_t at(int band, std::size_t offset) { return 3 * static_cast<std::size_t>(band) + offset; }
}  // namespace

void GlobalEq::setFromWire(const Block& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes_[i] = bytes[i] & 0xFF;
}

std::uint32_t GlobalEq::frequencyAt(double v) {
    return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * (kMaxFrequency - kMinFrequency) + kMinFrequency);
}

std::int32_t GlobalEq::gainAt(double v) { return static_cast<std::int32_t>(std::clamp(v, 0.0, 1.0) * kMaxGain); }

void GlobalEq::setFrequency(int band, std::uint32_t hz) {
    bytes_[at(band, 0)] = hz & 0xFF;
    bytes_[at(band, 1)] = (hz >> 8) & 0xFF;
}

void GlobalEq::setGain(int band, std::int32_t step) { bytes_[at(band, 2)] = static_cast<std::uint32_t>(step + 1) & 0xFF; }

std::uint32_t GlobalEq::frequency(int band) const { return bytes_[at(band, 1)] * 256 + bytes_[at(band, 0)]; }

// A gain byte of 0 stands for step -1, shown as the lowest step.
std::int32_t GlobalEq::gain(int band) const { return static_cast<std::int32_t>(bytes_[at(band, 2)]) - 1; }

std::uint32_t GlobalEq::shownFrequency(int band) const { return std::clamp(frequency(band), kMinFrequency, kMaxFrequency); }

std::int32_t GlobalEq::shownGain(int band) const { return std::clamp(gain(band), 0, kMaxGain); }

double GlobalEq::frequencyPosition(int band) const {
    return double(shownFrequency(band) - kMinFrequency) / double(kMaxFrequency - kMinFrequency);
}

double GlobalEq::gainPosition(int band) const { return double(shownGain(band)) / kMaxGain; }

QString returnAccordingValue(std::int64_t g) {
    if (g <= 0) return QStringLiteral("-12 dB");
    if (g == 12) return QStringLiteral("0 dB");
    if (g < 12) return QStringLiteral("-%1 dB").arg(12 - g);
    return QStringLiteral("+%1 dB").arg(g - 12);
}

QString frequencyText(std::uint32_t hz) { return QStringLiteral("%1HZ").arg(hz); }

}  // namespace quorvex::settings
