#pragma once
#include <cstdint>

namespace quorvex::settings {

// The factory reset as element 7 of the system block carries it: 0 not armed (NO),
// 1 armed (YES), 2 reset now. Only OK while armed leads to 2.
class ResetState {
public:
    static constexpr std::uint32_t kNo = 0;
    static constexpr std::uint32_t kYes = 1;
    static constexpr std::uint32_t kConfirmed = 2;

    void pressYes() { ResetStatus_ = kYes; }
    void pressNo() { ResetStatus_ = kNo; }
    // OK: true when it confirmed an armed reset.
    bool pressOk() {
        if (ResetStatus_ != kYes) return false;
        ResetStatus_ = kConfirmed;
        return true;
    }
    // The pedal reported the state.
    void changedModeValue(std::uint32_t status) { ResetStatus_ = status; }

    std::uint32_t ResetStatus() const { return ResetStatus_; }
    bool armed() const { return ResetStatus_ == kYes; }

private:
    std::uint32_t ResetStatus_ = kNo;
};

}  // namespace quorvex::settings
