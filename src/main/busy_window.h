#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "win/message_pump.h"

namespace marrowpin::main {

// The main window while long work runs on its thread: its controls, menu and
// drop target disabled, so that it takes no input of its own, while its
// messages are dispatched between steps so that it keeps painting and
// answering the system. Meanwhile the form itself holds the focus, so that
// its keys reach it. Its caption can show how far the work has got. All is
// restored when it goes, the focus included.
class BusyWindow {
 public:
  // keys takes the form's keys before they are dispatched.
  BusyWindow(HWND form, std::vector<HWND> controls, win::MessageFilter keys);
  ~BusyWindow();
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

  // Shows "current/total" in front of the caption, with how far the note in
  // hand has got when that is known.
  void ShowProgress(int current, int total, std::optional<int> note_percent = std::nullopt);
  // Dispatches the waiting messages, then takes the input away again: a
  // message box or dialog enables its owner when it closes.
  void KeepAnswering();
  // Waits as long as pause says, answering meanwhile.
  void WaitAnswering(std::chrono::milliseconds pause);

 private:
  void TakeInput(bool enable);

  HWND form_;
  std::vector<HWND> controls_;
  win::MessageFilter keys_;
  std::wstring caption_;
  HWND focus_;
};

}  // namespace marrowpin::main
