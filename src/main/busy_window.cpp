#include "main/busy_window.h"

#include <shellapi.h>

#include "win/message_pump.h"
#include "win/wide_text.h"
#include "win_text/batch_texts.h"

namespace marrowpin::main {

namespace {

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size())));
  return text;
}

}  // namespace

BusyWindow::BusyWindow(HWND form, std::vector<HWND> controls, win::MessageFilter keys)
    : form_(form),
      controls_(std::move(controls)),
      keys_(std::move(keys)),
      caption_(WindowText(form)),
      focus_(GetFocus()) {
  TakeInput(false);
  // A disabled control loses the focus; the form takes it, so that its keys
  // still come to it.
  if (GetActiveWindow() == form_) SetFocus(form_);
}

BusyWindow::~BusyWindow() {
  // The window may have gone meanwhile.
  if (!IsWindow(form_)) return;
  TakeInput(true);
  SetWindowTextW(form_, caption_.c_str());
  if (focus_ && IsWindow(focus_) && GetActiveWindow() == form_) SetFocus(focus_);
}

void BusyWindow::ShowProgress(int current, int total, std::optional<int> note_percent) {
  SetWindowTextW(
      form_, win::Wide(win_text::ProgressCaption(win::Utf8(caption_), current, total, note_percent))
                 .c_str());
}

void BusyWindow::KeepAnswering() {
  win::DispatchWaitingMessages(keys_);
  if (IsWindow(form_)) TakeInput(false);
}

void BusyWindow::WaitAnswering(std::chrono::milliseconds pause) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(pause.count());
  for (ULONGLONG now; (now = GetTickCount64()) < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    KeepAnswering();
  }
}

void BusyWindow::TakeInput(bool enable) {
  for (const HWND control : controls_)
    EnableWindow(control, enable);
  if (const HMENU menu = GetMenu(form_)) {
    const UINT state = enable ? MF_ENABLED : MF_GRAYED;
    bool changed = false;
    const int items = GetMenuItemCount(menu);
    for (int i = 0; i < items; ++i) {
      const DWORD before = EnableMenuItem(menu, i, MF_BYPOSITION | state);
      changed = changed || (before & MF_GRAYED) != (state & MF_GRAYED);
    }
    // Drawn again only when it changed, so that it does not flicker.
    if (changed) DrawMenuBar(form_);
  }
  DragAcceptFiles(form_, enable);
}

}  // namespace marrowpin::main
