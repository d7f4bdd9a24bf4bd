#pragma once
#include <vector>

class QMessageBox;
class QWidget;

namespace quorvex {

// Tells the user, over the main window and without blocking it, which presets never
// arrived while loading. Returns the notice, or nullptr when every preset came.
QMessageBox* tellMissingPresets(QWidget* window, const std::vector<int>& missing);

}  // namespace quorvex
