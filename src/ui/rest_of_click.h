#pragma once

namespace quorvex::ui {

// A press that closed a pop-up is used up; the rest of that click (a drag, the release)
// goes nowhere either, or the control under the pointer would act on it.
void swallowRestOfClick();

}  // namespace quorvex::ui
