#include "remote_program.h"

#include <cstdio>

namespace marrowpin::wine_tests {

std::string Printable(const std::string& text) {
  std::string printable;
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      printable += escaped;
    } else {
      printable.push_back(c);
    }
  }
  return printable;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
    throw TestFailure("window does not answer WM_GETTEXTLENGTH");
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kTimeoutMs, &copied))
    throw TestFailure("window does not answer WM_GETTEXT");
  text.resize(copied);
  return text;
}

namespace {

bool HasClass(HWND window, const char* class_name) {
  char name[64];
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, class_name) == 0;
}

struct DescendantSearch {
  const char* class_name;
  int id;
  HWND found;
};

BOOL CALLBACK CheckDescendant(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<DescendantSearch*>(data);
  if (HasClass(child, search.class_name) && GetDlgCtrlID(child) == search.id) {
    search.found = child;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CheckMainWindow(HWND window, LPARAM data) {
  if (HasClass(window, "TfrmMain") && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
  if (HasClass(window, "#32770") && IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

}  // namespace

HWND FindDescendant(HWND parent, const char* class_name, int id) {
  DescendantSearch search{class_name, id, nullptr};
  EnumChildWindows(parent, CheckDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RemoteProgram::RemoteProgram(const std::string& executable, const std::string& arguments,
                             const std::string& folder) {
  std::string command_line = "\"" + executable + "\"";
  if (!arguments.empty()) command_line += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process_)) {
    throw TestFailure("cannot start the program");
  }
  WaitForInputIdle(process_.hProcess, kTimeoutMs);
}

RemoteProgram::~RemoteProgram() {
  if (!HasExited()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kTimeoutMs);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool RemoteProgram::HasExited() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD RemoteProgram::WaitForExit() {
  if (!WaitUntil([&] { return HasExited() || !Dialogs().empty(); }))
    throw TestFailure("program did not end");
  if (!HasExited())
    throw TestFailure("program shows an unexpected dialog: " +
                      Printable(WindowText(FindDescendant(Dialogs().front(), "Static", 0xFFFF))));
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND RemoteProgram::MainWindow() {
  HWND found = nullptr;
  WaitUntil([&] {
    found = nullptr;
    EnumThreadWindows(process_.dwThreadId, CheckMainWindow, reinterpret_cast<LPARAM>(&found));
    return found != nullptr || HasExited();
  });
  if (!found) throw TestFailure("no main window");
  return found;
}

HWND RemoteProgram::Control(int id) {
  for (const char* class_name : {"Button", "Edit", "ListBox", "Static"}) {
    if (const HWND control = FindDescendant(MainWindow(), class_name, id)) return control;
  }
  throw TestFailure("main window lacks control " + std::to_string(id));
}

std::vector<HWND> RemoteProgram::Dialogs() const {
  std::vector<HWND> dialogs;
  EnumThreadWindows(process_.dwThreadId, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

HWND RemoteProgram::WaitForDialog() {
  std::vector<HWND> dialogs;
  WaitUntil([&] {
    dialogs = Dialogs();
    return !dialogs.empty() || HasExited();
  });
  if (dialogs.size() != 1)
    throw TestFailure(HasExited()       ? "program ended while a dialog was expected"
                      : dialogs.empty() ? "no dialog appeared"
                                        : "more than one dialog is open");
  return dialogs.front();
}

void RemoteProgram::ExpectNoDialog() const {
  if (!Dialogs().empty()) throw TestFailure("an unexpected dialog is open");
}

void* RemoteProgram::CopyIntoProgram(const std::string& bytes) {
  void* address = VirtualAllocEx(process_.hProcess, nullptr, bytes.size(), MEM_COMMIT | MEM_RESERVE,
                                 PAGE_READWRITE);
  SIZE_T written = 0;
  if (!address ||
      !WriteProcessMemory(process_.hProcess, address, bytes.data(), bytes.size(), &written) ||
      written != bytes.size()) {
    throw TestFailure("cannot write into the program's memory");
  }
  return address;
}

}  // namespace marrowpin::wine_tests
