#include "parameter_blocks.h"

namespace quorvex {

const char* moduleName(Module module) {
    static constexpr const char* kNames[kModuleCount] = {"FX/COMP", "DS/OD", "AMP",   "CAB",   "NS",
                                                         "EQ",      "MOD",   "DELAY", "REVERB"};
    return kNames[static_cast<int>(module)];
}

}  // namespace quorvex
