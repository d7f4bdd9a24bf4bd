#pragma once

class QApplication;

namespace quorvex::ui {

// Gives every window of the program the dark stage look: the Fusion style, which draws
// with the palette on every desktop, and a palette built from the stage's colours, so
// that dialogs and message boxes read like the main window.
void applyStageLook(QApplication& app);

}  // namespace quorvex::ui
