#include "win/message_box.h"

namespace marrowpin::win {

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
  if (!owner) type |= MB_TOPMOST | MB_SETFOREGROUND;
  return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

}  // namespace marrowpin::win
