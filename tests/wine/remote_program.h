#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace marrowpin::wine_tests {

// A check that did not hold; what() is plain ASCII.
class TestFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How long any one thing may take before the test counts it as failed.
constexpr DWORD kTimeoutMs = 15000;

// Polls condition until it holds; false after timeout_ms.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout_ms = kTimeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(20);
  }
  return true;
}

// The text of a window of any process, read as Unicode, in UTF-8.
std::string WindowText(HWND window);
// Sets it from UTF-8.
void ReplaceWindowText(HWND window, const std::string& text);

// The first descendant of parent with that class name and control id.
HWND FindDescendant(HWND parent, const wchar_t* class_name, int id);

// The program under test, started by the driver, and its windows.
class RemoteProgram {
 public:
  // Starts executable with arguments (quoted as they should appear after its
  // own quoted path) in folder; all three in UTF-8.
  RemoteProgram(const std::string& executable, const std::string& arguments,
                const std::string& folder);
  ~RemoteProgram();
  RemoteProgram(const RemoteProgram&) = delete;
  RemoteProgram& operator=(const RemoteProgram&) = delete;

  bool HasExited() const;
  // Waits for the program to end by itself; returns its exit code.
  DWORD WaitForExit(DWORD timeout_ms = kTimeoutMs);

  // The visible main window, waited for.
  HWND MainWindow();
  // A control of the main window by its id.
  HWND Control(int id);

  // The visible, enabled dialog-class windows of the program: message boxes,
  // the message window and the file dialogs.
  std::vector<HWND> Dialogs() const;
  // Waits for exactly one such window and returns it.
  HWND WaitForDialog();
  // Fails when a dialog is open.
  void ExpectNoDialog() const;

  // Copies bytes into the program's memory; returns their address there.
  void* CopyIntoProgram(const std::string& bytes);

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace marrowpin::wine_tests
