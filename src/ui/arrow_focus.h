#pragma once

class QButtonGroup;

namespace quorvex::ui {

// The arrow keys move the focus to the nearest button of the group in their direction,
// the same row or column first, and choose nothing: Space or Enter chooses. (Qt's own
// arrows choose each button they pass in an exclusive group and do not move at all in
// one that is not.) For the buttons in the group now.
void moveFocusWithArrows(QButtonGroup& group);

}  // namespace quorvex::ui
