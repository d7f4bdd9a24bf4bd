#pragma once
#include "module_table.h"

namespace quorvex {

// The table each module's panel is built from: its models, their layouts and lists.
// No widgets, so that texts of values can be made without a window.
ModuleTable moduleTableOf(Module module);

}  // namespace quorvex
