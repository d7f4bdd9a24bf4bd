#pragma once

namespace quorvex {

// Registers, once per process, the accessible interface of the chain blocks: each is a
// button named after its module, checked while the module is on and selected while
// its panel is shown. Every block calls it from its constructor; again does nothing.
void installChainAccessibility();

}  // namespace quorvex
