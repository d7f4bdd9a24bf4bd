#include "row_scale.h"

#include "grid_step.h"

#include <algorithm>
#include <cmath>

namespace quorvex {
namespace {

// Typed numbers arrive as floats; a little slack keeps 2.3 from becoming 2.29999 and
// then 22 tenths instead of 23.
constexpr double kTypingSlack = 1e-4;

}  // namespace

RowScale RowScale::range(int low, int high) {
    RowScale s;
    s.low = low;
    s.high = high;
    return s;
}

RowScale RowScale::signedSteps(int high, int zero, int per) {
    RowScale s = range(0, high);
    s.zero = zero;
    s.per = per;
    s.plusSign = true;
    return s;
}

RowScale RowScale::gainDb() {
    RowScale s = signedSteps(24, 12, 1);
    s.truncateShown = true;
    return s;
}

RowScale RowScale::multiplied(int times) {
    RowScale s;
    s.times = times;
    return s;
}

double RowScale::shownLow() const { return static_cast<double>(low - zero) * times / per; }

double RowScale::shownHigh() const { return static_cast<double>(high - zero) * times / per; }

double RowScale::clampShown(double number) const { return std::clamp(number, shownLow(), shownHigh()); }

double RowScale::sliderPosition(std::uint32_t stored) const {
    return (static_cast<double>(stored) - low) / (high - low);
}

double RowScale::sliderPositionOfShown(double number) const {
    return (clampShown(number) - shownLow()) / (shownHigh() - shownLow());
}

std::uint32_t RowScale::storedFromSlider(double position) const {
    if (truncateShown) {
        const double shown = std::trunc(shownLow() + position * (shownHigh() - shownLow()));
        return static_cast<std::uint32_t>(std::lround(shown * per / times) + zero);
    }
    return static_cast<std::uint32_t>(std::clamp(static_cast<int>(std::trunc(low + position * (high - low))), low, high));
}

std::uint32_t RowScale::storedFromTyped(double number) const {
    const double shown = clampShown(number);
    long stored = 0;
    if (truncateShown)
        stored = std::lround(std::trunc(shown) * per / times) + zero;
    else
        stored = low + static_cast<long>(std::floor((shown - shownLow()) * per / times + kTypingSlack));
    return static_cast<std::uint32_t>(std::clamp<long>(stored, low, high));
}

std::uint32_t RowScale::stepped(std::uint32_t stored, int steps) const {
    return ui::steppedOnGrid(stored, steps, low, high, high - low > 1000 ? 10 : 1);
}

QString RowScale::text(std::uint32_t stored) const {
    const long long scaled = (static_cast<long long>(stored) - zero) * times;
    QString number;
    if (scaled % per == 0) {
        number = QString::number(scaled / per);
    } else {
        // Steps finer than one: one decimal, which is what a step of a tenth needs.
        number = QString::number(static_cast<double>(scaled) / per, 'f', 1);
    }
    return plusSign && scaled > 0 ? QStringLiteral("+") + number : number;
}

}  // namespace quorvex
