#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/conversion_progress.h"
#include "main/session_end.h"
#include "win/form_keyboard.h"

namespace marrowpin::main {

// The main window while a batch runs on its thread: the conversion of notes,
// or the scan of dropped folders. For as long as the object lives, the
// window's controls, menu and drop target are disabled, so that it takes no
// input of its own, while its messages are dispatched between steps and
// through one long note, so that it keeps painting and answering the
// system; the form itself holds the focus meanwhile, so that its keys reach
// it. The caption shows how far the batch has got. Esc and a request to
// close are kept for the batch to act on between notes. While notes are
// converted, the end of the session waits and Windows is told why. When the
// batch ends, the window is as it was, the focus included.
class WindowBatch final : public ConversionProgress {
 public:
  enum class Work { kFolderScan, kConversion };

  // inputs are the controls disabled meanwhile; keyboard takes the form's
  // keys as they are dispatched and keeps the control that has the focus.
  WindowBatch(HWND form, std::vector<HWND> inputs, win::FormKeyboard& keyboard, Work work);
  ~WindowBatch() override;
  WindowBatch(const WindowBatch&) = delete;
  WindowBatch& operator=(const WindowBatch&) = delete;

  // Note `current` of `total` is taken in hand: the caption shows it.
  void StartNote(int current, int total);
  // The note in hand has got this far: the caption shows its share done.
  void Reached(std::uint64_t done, std::uint64_t total) override;
  // Keeps the window answering; false once it has been asked to close.
  bool KeepAnswering();
  // Waits before a file step is tried again, answering meanwhile.
  void Wait(std::chrono::milliseconds pause);

  // Esc: the batch ends after the note in hand, and the window stays.
  void RequestStop() { stop_requested_ = true; }
  bool StopRequested() const { return stop_requested_; }
  // The window was asked to close: the batch ends after the note in hand,
  // and then the window closes.
  void RequestClose() { close_requested_ = true; }
  bool CloseRequested() const { return close_requested_; }

  // WM_QUERYENDSESSION while the batch runs (`flags` its lParam); a refusal
  // is kept for the WM_ENDSESSION that follows it.
  SessionEndAnswer AnswerSessionEndQuery(std::uint32_t flags);
  // WM_ENDSESSION while the batch runs (`ending` its wParam).
  SessionEndAnswer AnswerSessionEnd(bool ending);

 private:
  void ShowProgress(std::optional<int> note_percent);
  // Dispatches the waiting messages, then takes the input away again: a
  // message box or dialog enables its owner when it closes.
  void DispatchWaiting();
  void TakeInput(bool enable);

  HWND form_;
  std::vector<HWND> inputs_;
  win::FormKeyboard& keyboard_;
  bool converting_;
  std::wstring caption_;
  int current_ = 0;
  int total_ = 0;
  int note_percent_ = -1;
  bool stop_requested_ = false;
  bool close_requested_ = false;
  bool refused_session_end_ = false;
};

}  // namespace marrowpin::main
