#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace marrowpin::win {

// The keys of a dialog for a form that is not one: Tab and Shift+Tab move
// the focus through its controls in their tab order and round again, Enter
// presses a focused push button (Space does by itself), the shortcuts send
// their commands, and Esc goes to a handler of the form's own instead of
// closing anything. The focus the form had when it was left is given back
// when it becomes active again.
class FormKeyboard {
 public:
  // tab_order starts with the control that takes the focus first.
  FormKeyboard(HWND form, std::vector<HWND> tab_order, HACCEL shortcuts,
               std::function<void()> on_escape);

  // Takes a key meant for the form or one of its controls before it is
  // translated and dispatched; whether it was taken.
  bool TakeMessage(MSG& message);

  // Keeps the control that has the focus, when one of the form's has it:
  // when the form is left, and before its controls are disabled.
  void KeepFocus();
  // The kept control gets the focus, or the form itself while that control
  // cannot take it.
  void RestoreFocus();
  // The form is active again: the focus goes back as RestoreFocus gives it.
  void Activated();

 private:
  bool IsFormWindow(HWND window) const;
  void MoveFocus(bool backwards);

  HWND form_;
  std::vector<HWND> tab_order_;
  HACCEL shortcuts_;
  std::function<void()> on_escape_;
  HWND focus_;
  bool cues_shown_ = false;
};

}  // namespace marrowpin::win
