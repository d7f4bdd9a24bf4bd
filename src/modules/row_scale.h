#pragma once
#include <QString>

#include <cstdint>

namespace quorvex {

// How a parameter row's stored number relates to its slider and to the number shown.
// The slider spans the stored range; the number shown is (stored - zero) * times / per,
// so one scale covers plain 0..100 rows, delay times, EQ gains in dB, signed pitch in
// tenths and the reverb's pre-delay shown five times larger. No widgets here.
struct RowScale {
    int low = 0;
    int high = 100;
    int zero = 0;
    int times = 1;
    int per = 1;
    bool plusSign = false;       // "+" before positive numbers
    bool truncateShown = false;  // slider and typed numbers are cut toward zero in shown units

    static RowScale plain() { return {}; }
    static RowScale range(int low, int high);
    // Stored 0..high shown around `zero`, in steps of 1 / per, with a sign.
    static RowScale signedSteps(int high, int zero, int per);
    // EQ gains: stored 0..24 for -12..+12 dB.
    static RowScale gainDb();
    // Shown `times` the stored 0..100.
    static RowScale multiplied(int times);

    double shownLow() const;
    double shownHigh() const;
    // A typed number held to what the row can show.
    double clampShown(double number) const;
    // Whether the number shown after typing is rewritten from the stored value, which
    // is the case when the two differ by more than the cut of the fraction.
    bool rewritesTyped() const { return times != per; }

    // Slider position 0..1 of a stored value; outside 0..1 when the value is outside the range.
    double sliderPosition(std::uint32_t stored) const;
    double sliderPositionOfShown(double number) const;
    std::uint32_t storedFromSlider(double position) const;
    // A typed number (clamped first).
    std::uint32_t storedFromTyped(double number) const;
    // The stored value `steps` keyboard steps on: one stored unit (a unit, a dB, a tenth),
    // ten for the long ranges of times and frequencies.
    std::uint32_t stepped(std::uint32_t stored, int steps) const;
    // The text the number field shows for a stored value: "50", "+3", "-2.5", "250".
    QString text(std::uint32_t stored) const;
};

}  // namespace quorvex
