#include "global_eq.h"

#include <algorithm>

namespace quorvex::settings {

void GlobalEq::setFromWire(const Block& b) {
    for (std::size_t k = 0; k < kBands; ++k) {
        const std::uint32_t hz = (b[3 * k + 1] & 0xFF) * 256 + (b[3 * k] & 0xFF);
        data_[3 * k] = hz;
        data_[3 * k + 1] = hz;
        // A gain byte of 0 becomes step -1, which goes out as 0 again.
        data_[3 * k + 2] = (b[3 * k + 2] & 0xFF) - 1;
    }
}

GlobalEq::Block GlobalEq::wireBytes() const {
    Block out{};
    for (std::size_t k = 0; k < kBands; ++k) {
        out[3 * k] = data_[3 * k] & 0xFF;
        out[3 * k + 1] = (data_[3 * k + 1] >> 8) & 0xFF;
        out[3 * k + 2] = (data_[3 * k + 2] + 1) & 0xFF;
    }
    return out;
}

std::uint32_t GlobalEq::frequencyAt(double v) {
    return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * (kMaxFrequency - kMinFrequency) + kMinFrequency);
}

std::int32_t GlobalEq::gainAt(double v) { return static_cast<std::int32_t>(std::clamp(v, 0.0, 1.0) * kMaxGain); }

void GlobalEq::setFrequency(int band, std::uint32_t hz) {
    data_[3 * static_cast<std::size_t>(band)] = hz;
    data_[3 * static_cast<std::size_t>(band) + 1] = hz;
}

void GlobalEq::setGain(int band, std::int32_t step) {
    data_[3 * static_cast<std::size_t>(band) + 2] = static_cast<std::uint32_t>(step);
}

std::uint32_t GlobalEq::shownFrequency(int band) const {
    return std::clamp(data_[3 * static_cast<std::size_t>(band)], kMinFrequency, kMaxFrequency);
}

std::int32_t GlobalEq::shownGain(int band) const {
    return std::clamp(static_cast<std::int32_t>(data_[3 * static_cast<std::size_t>(band) + 2]), 0, kMaxGain);
}

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
