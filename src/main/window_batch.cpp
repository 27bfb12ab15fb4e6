#include "main/window_batch.h"

#include <shellapi.h>

#include <utility>

#include "win/message_pump.h"
#include "win/wide_text.h"
#include "win_text/batch_texts.h"
#include "win_text/window_texts.h"

namespace marrowpin::main {

namespace {

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size())));
  return text;
}

}  // namespace

WindowBatch::WindowBatch(HWND form, std::vector<HWND> inputs, win::FormKeyboard& keyboard,
                         Work work)
    : form_(form),
      inputs_(std::move(inputs)),
      keyboard_(keyboard),
      converting_(work == Work::kConversion),
      caption_(WindowText(form)) {
  // The one step that can throw comes first, while the window is as it was.
  if (converting_) ShutdownBlockReasonCreate(form_, win::Wide(win_text::kSessionEndWaits).c_str());
  // Kept before its control is disabled, so that the focus goes back to it
  // when the batch ends or the window is next activated.
  keyboard_.KeepFocus();
  TakeInput(false);
  // A disabled control loses the focus; the form takes it, so that its keys
  // still come to it.
  if (GetActiveWindow() == form_) SetFocus(form_);
}

WindowBatch::~WindowBatch() {
  // The window may have gone meanwhile.
  if (!IsWindow(form_)) return;
  if (converting_) ShutdownBlockReasonDestroy(form_);
  TakeInput(true);
  SetWindowTextW(form_, caption_.c_str());
  // An inactive window gets its focus back when it is next activated.
  if (GetActiveWindow() == form_) keyboard_.RestoreFocus();
}

void WindowBatch::StartNote(int current, int total) {
  current_ = current;
  total_ = total;
  note_percent_ = -1;
  ShowProgress(std::nullopt);
}

void WindowBatch::Reached(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return;
  const int percent = static_cast<int>(done * 100 / total);
  // The caption is set again only when it changes, so that it does not flicker.
  if (percent != note_percent_) {
    note_percent_ = percent;
    ShowProgress(percent);
  }
  DispatchWaiting();
}

bool WindowBatch::KeepAnswering() {
  DispatchWaiting();
  return !close_requested_;
}

void WindowBatch::Wait(std::chrono::milliseconds pause) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(pause.count());
  for (ULONGLONG now; (now = GetTickCount64()) < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    DispatchWaiting();
  }
}

SessionEndAnswer WindowBatch::AnswerSessionEndQuery(std::uint32_t flags) {
  const SessionEndAnswer answer = AnswerQueryEndSession(converting_, flags);
  refused_session_end_ = answer == SessionEndAnswer::kWait;
  return answer;
}

SessionEndAnswer WindowBatch::AnswerSessionEnd(bool ending) {
  return AnswerEndSession(/*busy=*/true, ending, std::exchange(refused_session_end_, false));
}

void WindowBatch::ShowProgress(std::optional<int> note_percent) {
  SetWindowTextW(form_, win::Wide(win_text::ProgressCaption(win::Utf8(caption_), current_, total_,
                                                            note_percent))
                            .c_str());
}

void WindowBatch::DispatchWaiting() {
  win::DispatchWaitingMessages([this](MSG& message) { return keyboard_.TakeMessage(message); });
  if (IsWindow(form_)) TakeInput(false);
}

void WindowBatch::TakeInput(bool enable) {
  for (const HWND control : inputs_)
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
