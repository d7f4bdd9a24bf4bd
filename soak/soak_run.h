#pragma once
#include <cstdint>
#include <iosfwd>

namespace quorvex::soak {

struct SoakOptions {
    double minutes = 10.0;   // how long operations are driven
    std::uint32_t seed = 1;  // the same seed drives the same operations
    int reportEvery = 60;    // seconds between progress lines (0: none)
};

// Exit codes, distinct so that a script can tell the failures apart.
enum SoakExit : int {
    kClean = 0,
    kStateMismatch = 1,
    kUsage = 2,
    kMemoryGrew = 3,
    kLinkFailure = 4,
};

// Runs the editor against a virtual pedal for the time asked, then checks that both
// hold the same state and that memory did not grow. Prints progress, the differences
// and the figures to out.
int runSoak(const SoakOptions& options, std::ostream& out);

}  // namespace quorvex::soak
