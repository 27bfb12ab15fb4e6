#include "win/form_keyboard.h"

#include <algorithm>

namespace marrowpin::win {

namespace {

bool IsHeld(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

bool CanTakeFocus(HWND control) {
  return control && IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control);
}

bool IsPushButton(HWND control) {
  return (SendMessageW(control, WM_GETDLGCODE, 0, 0) &
          (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace

FormKeyboard::FormKeyboard(HWND form, std::vector<HWND> tab_order, HACCEL shortcuts,
                           std::function<void()> on_escape)
    : form_(form),
      tab_order_(std::move(tab_order)),
      shortcuts_(shortcuts),
      on_escape_(std::move(on_escape)),
      focus_(tab_order_.empty() ? nullptr : tab_order_.front()) {}

bool FormKeyboard::IsFormWindow(HWND window) const {
  return window == form_ || IsChild(form_, window);
}

bool FormKeyboard::TakeMessage(MSG& message) {
  if (!IsFormWindow(message.hwnd)) return false;
  if (shortcuts_ && TranslateAcceleratorW(form_, shortcuts_, &message)) return true;
  // With no control focused, the keys of an active window come as system
  // keys; Esc without Alt is still Esc.
  const bool alt = (message.lParam & (1 << 29)) != 0;
  if (message.message != WM_KEYDOWN && !(message.message == WM_SYSKEYDOWN && !alt)) return false;
  switch (message.wParam) {
    case VK_TAB:
      if (IsHeld(VK_CONTROL) || alt) return false;
      MoveFocus(IsHeld(VK_SHIFT));
      return true;
    case VK_RETURN:
      if (message.hwnd == form_ || !IsPushButton(message.hwnd)) return false;
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    case VK_ESCAPE:
      if (on_escape_) on_escape_();
      return true;
    default:
      return false;
  }
}

void FormKeyboard::MoveFocus(bool backwards) {
  const int count = static_cast<int>(tab_order_.size());
  if (count == 0) return;
  const HWND focus = GetFocus();
  const auto found = std::find_if(tab_order_.begin(), tab_order_.end(), [focus](HWND control) {
    return control == focus || IsChild(control, focus);
  });
  // From outside the cycle, Tab starts at its first control, Shift+Tab at its last.
  int at = found == tab_order_.end() ? (backwards ? 0 : count - 1)
                                     : static_cast<int>(found - tab_order_.begin());
  for (int step = 0; step < count; ++step) {
    at = (at + (backwards ? count - 1 : 1)) % count;
    if (CanTakeFocus(tab_order_[at])) {
      SetFocus(tab_order_[at]);
      focus_ = tab_order_[at];
      break;
    }
  }
  // A user of the keyboard sees where the focus is.
  SendMessageW(form_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void FormKeyboard::KeepFocus() {
  const HWND focus = GetFocus();
  if (focus && IsChild(form_, focus)) focus_ = focus;
}

void FormKeyboard::RestoreFocus() {
  if (CanTakeFocus(focus_)) {
    SetFocus(focus_);
  } else {
    SetFocus(form_);
  }
}

void FormKeyboard::Activated() {
  RestoreFocus();
  // The first control's focus rectangle shows from the start.
  if (!cues_shown_) {
    cues_shown_ = true;
    SendMessageW(form_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  }
}

}  // namespace marrowpin::win
