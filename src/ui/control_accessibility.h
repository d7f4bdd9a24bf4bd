#pragma once

class QObject;

namespace quorvex::ui {

// Registers, once per process, the factory that gives the home-made controls their
// accessible role and value (a slider reads as a slider with its value, the drop-down
// list as a combo box with its rows). Every control calls it from its constructor,
// before anyone can ask for its accessible interface; calling it again does nothing.
void installControlAccessibility();

// Tells assistive technology that a drop-down owner opened or closed its list.
void announceExpandedChange(QObject* owner);

}  // namespace quorvex::ui
