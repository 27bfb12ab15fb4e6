#include "win/message_box.h"

#include <string>

namespace marrowpin::win {

int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) {
  if (!owner) type |= MB_TOPMOST | MB_SETFOREGROUND;
  return MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), type);
}

}  // namespace marrowpin::win
