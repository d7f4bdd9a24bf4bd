#pragma once
#include <QString>

#include <array>
#include <cstdint>

namespace quorvex::settings {

// The pedal's three-band global EQ (LOW, MID, HIGH), held in the one form the pedal
// reports and the link stores and sends: per band the frequency's low byte, its high
// byte, and the gain step 0..24 plus one (step 12 is 0 dB). Screen values (Hz, gain
// step) are converted here, on the way in and out, and nowhere else.
class GlobalEq {
public:
    static constexpr int kBands = 3;
    static constexpr std::uint32_t kMinFrequency = 60;
    static constexpr std::uint32_t kMaxFrequency = 18000;
    static constexpr std::int32_t kMaxGain = 24;

    using Block = std::array<std::uint32_t, 9>;

    // The nine bytes of a report. Each band is kept exactly as reported, also a value
    // the pedal should not send, so that re-sending it changes nothing.
    void setFromWire(const Block& bytes);

    // Slider positions 0.0..1.0 (truncated like the screen's read-outs).
    static std::uint32_t frequencyAt(double sliderValue);
    static std::int32_t gainAt(double sliderValue);
    void setFrequency(int band, std::uint32_t hz);
    void setGain(int band, std::int32_t step);

    // What the screen shows: the values held, clamped to the ranges the controls cover.
    std::uint32_t shownFrequency(int band) const;
    std::int32_t shownGain(int band) const;
    double frequencyPosition(int band) const;
    double gainPosition(int band) const;

    // The nine bytes the link stores and sends.
    const Block& Glbi_eqData() const { return bytes_; }

private:
    std::uint32_t frequency(int band) const;
    std::int32_t gain(int band) const;

    Block bytes_{0, 0, 1, 0, 0, 1, 0, 0, 1};  // 0 Hz and the lowest step until the pedal reports
};

// "-12 dB" .. "0 dB" .. "+12 dB" for gain steps 0..24.
QString returnAccordingValue(std::int64_t step);
// "1000HZ".
QString frequencyText(std::uint32_t hz);

}  // namespace quorvex::settings
