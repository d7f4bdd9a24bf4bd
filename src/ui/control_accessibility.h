#pragma once

namespace quorvex::ui {

// Registers, once per process, the factory that gives the home-made controls their
// accessible role and value (a slider reads as a slider with its value, the drop-down
// list as a combo box with its rows). Every control calls it from its constructor,
// before anyone can ask for its accessible interface; calling it again does nothing.
void installControlAccessibility();

}  // namespace quorvex::ui
