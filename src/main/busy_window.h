#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace marrowpin::main {

// The main window while long work runs on its thread: its controls, menu and
// drop target disabled, so that it takes no input of its own, while its
// messages are dispatched between steps so that it keeps painting and
// answering the system. Its caption can show how far the work has got. All
// is restored when it goes.
class BusyWindow {
 public:
  BusyWindow(HWND form, std::vector<HWND> controls);
  ~BusyWindow();
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

  // Shows "current/total" in front of the caption, with how far the note in
  // hand has got when that is known.
  void ShowProgress(int current, int total, std::optional<int> note_percent = std::nullopt);
  // Dispatches the waiting messages, then takes the input away again: a
  // message box or dialog enables its owner when it closes.
  void KeepAnswering();

 private:
  void TakeInput(bool enable);

  HWND form_;
  std::vector<HWND> controls_;
  std::wstring caption_;
  HWND focus_;
};

}  // namespace marrowpin::main
