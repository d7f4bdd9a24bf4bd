#pragma once

namespace quorvex {

// Registers, once per process, the accessible interfaces of the preset screen's own
// widgets: the header and the volume read-out are drop-down buttons whose value is
// what they show, the CAB lamps are indicators that are on or off, the effect chain's
// blocks are buttons, checked while their module is on and selected while its panel
// is shown. Each of these widgets calls it from its constructor; calling it again does
// nothing.
void installPresetAccessibility();

}  // namespace quorvex
