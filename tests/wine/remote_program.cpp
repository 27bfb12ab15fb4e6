#include "remote_program.h"

#include "unicode_text.h"

namespace marrowpin::wine_tests {

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
    throw TestFailure("window does not answer WM_GETTEXTLENGTH");
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kTimeoutMs, &copied))
    throw TestFailure("window does not answer WM_GETTEXT");
  text.resize(copied);
  return Utf8(text);
}

void ReplaceWindowText(HWND window, const std::string& text) {
  const std::wstring wide = Wide(text);
  DWORD_PTR result;
  if (!SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                           SMTO_ABORTIFHUNG, kTimeoutMs, &result))
    throw TestFailure("window does not answer WM_SETTEXT");
}

namespace {

bool HasClass(HWND window, const wchar_t* class_name) {
  wchar_t name[64];
  GetClassNameW(window, name, sizeof name / sizeof name[0]);
  return lstrcmpiW(name, class_name) == 0;
}

struct DescendantSearch {
  const wchar_t* class_name;
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
  if (HasClass(window, L"TfrmMain") && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
  if (HasClass(window, L"#32770") && IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

}  // namespace

HWND FindDescendant(HWND parent, const wchar_t* class_name, int id) {
  DescendantSearch search{class_name, id, nullptr};
  EnumChildWindows(parent, CheckDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RemoteProgram::RemoteProgram(const std::string& executable, const std::string& arguments,
                             const std::string& folder) {
  std::wstring command_line = L"\"" + Wide(executable) + L"\"";
  if (!arguments.empty()) command_line += L" " + Wide(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(Wide(executable).c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, Wide(folder).c_str(), &startup, &process_)) {
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

DWORD RemoteProgram::WaitForExit(DWORD timeout_ms) {
  if (!WaitUntil([&] { return HasExited() || !Dialogs().empty(); }, timeout_ms))
    throw TestFailure("program did not end");
  if (!HasExited())
    throw TestFailure("program shows an unexpected dialog: " +
                      Printable(WindowText(FindDescendant(Dialogs().front(), L"Static", 0xFFFF))));
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
  for (const wchar_t* class_name : {L"Button", L"Edit", L"ListBox", L"Static"}) {
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
