// The program's behaviour as a user meets it: the command-line mode, the file
// list, the batch, every question and message, and the failures.

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "cases.h"
#include "dialogs.h"
#include "main/resource_ids.h"
#include "stand_in_reader.h"
#include "suite.h"
#include "support/golden_texts.h"
#include "test_files.h"
#include "unicode_text.h"

namespace marrowpin::wine_tests {

namespace {

// The 32-bit little-endian number at offset of bytes.
std::int32_t NumberAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return static_cast<std::int32_t>(value);
}

// Paths with Japanese names, shown in the main window's screenshot.
constexpr const char* kSamplePaths[] = {
    "C:\\メモ\\花見.vnt",
    "C:\\メモ\\旅行 2026\\駅.vnt",
    "D:\\notes\\camera-0412.dat",
};

// A note of its own, stem.vnt, naming an output stem-existing.bin that
// already holds "keep me", so that every overwrite case starts afresh.
std::string NoteWithExistingOutput(Suite& suite, const std::string& stem) {
  WriteTestFile(suite.Path(stem + ".vnt"),
                Note("-FILENAME:" + stem + "-existing.bin\r\n-WIDTH:2\r\n-HEIGHT:3\r\n", "QUJD"));
  WriteTestFile(suite.Path(stem + "-existing.bin"), "keep me");
  return stem + ".vnt";
}

// The command of the menu item "ファイル" -> "終了", after checking that the
// main window has a menu and the program's one menu holds just that. Wine
// lets no process read another's menus, so the items are read from the
// program's resources.
UINT ExitMenuCommand(const std::string& executable, HWND main_window) {
  Expect(GetMenu(main_window) != nullptr, "main window has no menu");
  const HMODULE module = LoadLibraryExW(Wide(executable).c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  Expect(module != nullptr, "cannot read the program's resources");
  const HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDM_MAINMENU1));
  FreeLibrary(module);
  Expect(menu != nullptr, "the program has no menu");
  const auto item_text = [](HMENU of, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(of, position, text, 64, MF_BYPOSITION);
    return Utf8(text);
  };
  const HMENU file_menu = GetSubMenu(menu, 0);
  const bool as_designed = GetMenuItemCount(menu) == 1 && item_text(menu, 0) == golden::kFileMenu &&
                           file_menu && GetMenuItemCount(file_menu) == 1 &&
                           item_text(file_menu, 0) == golden::kExitMenuItem;
  const UINT command = file_menu ? GetMenuItemID(file_menu, 0) : 0;
  DestroyMenu(menu);
  Expect(as_designed, "the menu is not File with the one item Exit");
  return command;
}

// The manifest the executable carries.
std::string ManifestOf(const std::string& executable) {
  const HMODULE module = LoadLibraryExW(Wide(executable).c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  Expect(module != nullptr, "cannot read the program's resources");
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  std::string manifest;
  if (loaded)
    manifest.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
  FreeLibrary(module);
  Expect(!manifest.empty(), "the program carries no manifest");
  return manifest;
}

// The bounds of a window in its parent's client coordinates.
RECT BoundsInParent(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

// How far a caption "n/total - caption" or "n/total p% - caption" shows a
// batch through total notes.
struct Progress {
  int note = 0;           // 0 when the caption shows no progress
  int note_percent = -1;  // -1 when it shows none for the note in hand
};
Progress ProgressIn(const std::string& shown, int total) {
  const std::string ending = " - " + std::string(golden::kWindowCaption);
  if (shown.size() <= ending.size() ||
      shown.compare(shown.size() - ending.size(), ending.size(), ending) != 0) {
    return {};
  }
  int note = 0, shown_total = 0, percent = -1, used = 0;
  const std::string progress = shown.substr(0, shown.size() - ending.size());
  const bool with_percent =
      std::sscanf(progress.c_str(), "%d/%d %d%%%n", &note, &shown_total, &percent, &used) == 3;
  if (!with_percent && std::sscanf(progress.c_str(), "%d/%d%n", &note, &shown_total, &used) != 2)
    return {};
  if (used != static_cast<int>(progress.size()) || shown_total != total) return {};
  return {note, with_percent ? percent : -1};
}

// Which of the main window's ways of input are open: its buttons, its list
// and drops, as bits in that order.
int OpenInputs(RemoteProgram& program) {
  return (IsWindowEnabled(program.Control(IDC_BTNREAD)) ? 1 : 0) |
         (IsWindowEnabled(program.Control(IDC_BUTTON1)) ? 2 : 0) |
         (IsWindowEnabled(program.Control(IDC_FINLIST)) ? 4 : 0) |
         ((GetWindowLongW(program.MainWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0 ? 8 : 0);
}
constexpr int kAllInputs = 15;

// The name, without extension, of the note numbered i of ManyNotes.
std::string NumberedName(int i) {
  std::string name = "n";
  name += std::to_string(i);
  return name;
}

// count notes in folder, numbered from 1, each naming its own output.
std::vector<std::string> ManyNotes(const std::string& folder, int count) {
  CreateTestFolder(folder);
  std::vector<std::string> notes;
  for (int i = 1; i <= count; ++i) {
    const std::string name = NumberedName(i);
    WriteTestFile(folder + "\\" + name + ".vnt", Note("-FILENAME:" + name + ".bin\r\n", "QUJD"));
    notes.push_back(folder + "\\" + name + ".vnt");
  }
  return notes;
}

// Keys as a user types them: the held keys go down first and up last. They
// reach the window in front, which the program's main window is made.
void Type(RemoteProgram& program, WORD key, std::initializer_list<WORD> held = {}) {
  SetForegroundWindow(program.MainWindow());
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD virtual_key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (const WORD down : held)
    add(down, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (auto up = std::rbegin(held); up != std::rend(held); ++up)
    add(*up, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The window of the program that has the keyboard focus.
HWND FocusOf(RemoteProgram& program) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(program.MainWindow(), nullptr), &info);
  return info.hwndFocus;
}

// Names the main window's controls in a failure.
std::string ControlName(RemoteProgram& program, HWND window) {
  if (window == nullptr) return "nothing";
  if (window == program.MainWindow()) return "the window itself";
  for (const auto& [id, name] :
       {std::pair{IDC_BTNREAD, "the browse button"}, std::pair{IDC_BUTTON1, "the start button"},
        std::pair{IDC_FINLIST, "the file list"}}) {
    if (window == program.Control(id)) return name;
  }
  return "another window";
}

// Presses Tab until the control has the focus, at most once round.
void TabTo(RemoteProgram& program, int id) {
  const HWND wanted = program.Control(id);
  for (int i = 0; i < 3 && FocusOf(program) != wanted; ++i) {
    Type(program, VK_TAB);
    WaitUntil([&] { return FocusOf(program) != nullptr; }, 1000);
    Sleep(100);
  }
}

void ExpectFocus(RemoteProgram& program, int id, const std::string& when) {
  const HWND wanted = program.Control(id);
  Expect(WaitUntil([&] { return FocusOf(program) == wanted; }, 3000),
         "the focus is on " + ControlName(program, FocusOf(program)) + " " + when + ", not on " +
             ControlName(program, wanted));
}

// The name and role that screen readers read of a window.
struct Accessible {
  std::string name;
  long role = 0;
};
Accessible AccessibleOf(HWND window) {
  IAccessible* object = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&object));
  Expect(SUCCEEDED(found) && object, "no accessible object: " + std::to_string(found));
  VARIANT self;
  VariantInit(&self);
  V_VT(&self) = VT_I4;
  V_I4(&self) = CHILDID_SELF;
  Accessible read;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name) {
    read.name = Utf8(std::wstring(name, SysStringLen(name)));
    SysFreeString(name);
  }
  VARIANT role;
  VariantInit(&role);
  if (object->get_accRole(self, &role) == S_OK && V_VT(&role) == VT_I4) read.role = V_I4(&role);
  object->Release();
  return read;
}

// WM_NULL probes of a window that must keep answering, as Windows sends
// them before it marks a window as not responding.
struct Probes {
  int sent = 0;
  int late = 0;  // not answered within 1 s
  DWORD slowest = 0;

  void Send(HWND window) {
    const DWORD start = GetTickCount();
    DWORD_PTR result;
    const bool answered =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 1000, &result) != 0;
    const DWORD took = GetTickCount() - start;
    slowest = std::max(slowest, took);
    ++sent;
    if (!answered || took > 1000) ++late;
  }
  // Probes the program's main window every pause_ms until a box comes, as
  // the batch's closing message does, running look after each probe.
  void UntilABoxComes(RemoteProgram& program, DWORD pause_ms, const std::function<void()>& look) {
    const HWND window = program.MainWindow();
    while (program.Dialogs().empty()) {
      Send(window);
      look();
      Expect(sent < 3000, "the batch does not end");
      Sleep(pause_ms);
    }
  }
  std::string Summary() const {
    return std::to_string(sent) + " probes, slowest answer " + std::to_string(slowest) + " ms";
  }
  void ExpectAllAnswered() const {
    Expect(late == 0, std::to_string(late) + " of " + std::to_string(sent) +
                          " probes were not answered within 1 s");
  }
};

// Writes at path a note naming output whose payload is `lines` lines of 76
// characters, as a mailer wraps them; what it decodes to.
std::string WriteLongNote(const std::string& path, const std::string& output, int lines = 400000) {
  std::string line, bytes;
  for (int i = 0; i < 19; ++i) {
    line += "QUJD";
    bytes += "ABC";
  }
  line += "\r\n";
  std::string note = "-FILENAME:" + output + "\r\nBASE64:\r\n";
  note.reserve(note.size() + line.size() * lines + 16);
  std::string decoded;
  for (int i = 0; i < lines; ++i) {
    note += line;
    decoded += bytes;
  }
  WriteTestFile(path, note + "END:VNOTE\r\n");
  return decoded;
}

// The caption as the window system holds it, read without asking the
// window, so that a window that does not answer cannot hold up the probes.
std::string HeldCaption(HWND window) {
  wchar_t text[256] = {};
  const int length = InternalGetWindowText(window, text, 256);
  return Utf8(std::wstring_view(text, length > 0 ? static_cast<std::size_t>(length) : 0));
}

// Whether a temporary output file is in folder.
bool TemporaryFileIn(const std::string& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Wide(folder + "\\.marrowpin-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// Expects window to be centred in the work area of monitor, to a pixel.
void ExpectCentredInWorkArea(HWND window, HMONITOR monitor, const std::string& what) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT& area = info.rcWork;
  const int centred_left = area.left + (area.right - area.left - (bounds.right - bounds.left)) / 2;
  const int centred_top = area.top + (area.bottom - area.top - (bounds.bottom - bounds.top)) / 2;
  Expect(std::abs(bounds.left - centred_left) <= 1 && std::abs(bounds.top - centred_top) <= 1,
         what + " is not centred in its monitor's work area");
}

// Waits until the one note of a batch is being written: its caption past
// half way (its lines are loaded) and its temporary file in folder.
void WaitForOutputBeingWritten(RemoteProgram& program, const std::string& folder) {
  const HWND main_window = program.MainWindow();
  Expect(WaitUntil(
             [&] {
               return ProgressIn(HeldCaption(main_window), 1).note_percent > 50 &&
                      TemporaryFileIn(folder);
             },
             60000),
         "the note's output was never seen being written");
}

}  // namespace

void CommandLineCases(Suite& suite) {
  suite.Run("command line: a note naming a new output is converted, no message", [&] {
    CreateTestFolder(suite.Path("notes dir"));
    const std::string note = suite.Path("notes dir\\cl new.vnt");
    WriteTestFile(note, Note("-FILENAME:cl-new.bin\r\n", "QUJD"));
    const auto program = suite.Start(Quoted(note));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectFile(suite.Path("notes dir\\cl-new.bin"), "ABC");
  });

  suite.Run("command line: a note without BASE64: shows its message once, then ends", [&] {
    // A name long enough that the message must wrap.
    const std::string name =
        "cl nobase, a note whose name goes on and on so that its message cannot fit on one "
        "line of half the screen.vnt";
    WriteTestFile(suite.Path(name), "-FILENAME:cl-never.bin\r\nhello\r\n");
    const auto program = suite.Start(Quoted(suite.Path(name)));
    const HWND message = program->WaitForDialog();
    RECT bounds;
    GetWindowRect(message, &bounds);
    Expect(bounds.right - bounds.left <= GetSystemMetrics(SM_CXSCREEN) / 2 + 64,
           "message window is wider than half the screen");
    // No window of the program owns it: it comes to the front by itself.
    Expect(ComesToTheFront(message), "the message without an owner is " + FrontState(message));
    AnswerMessage(*program, golden::NotConvertible(name));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectNoFile(suite.Path("cl-never.bin"));
  });

  suite.Run("command line: three notes and a folder, as the shell hands them, all convert", [&] {
    WriteTestFile(suite.Path("cl-first.vnt"), Note("-FILENAME:cl-same.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("cl-second.vnt"), Note("-FILENAME:cl-second.bin\r\n", "REVG"));
    // Names the first one's output: converted after it, it asks to overwrite.
    WriteTestFile(suite.Path("cl-third.vnt"), Note("-FILENAME:cl-same.bin\r\n", "R0hJ"));
    CreateTestFolder(suite.Path("cl dir"));
    CreateTestFolder(suite.Path("cl dir\\sub"));
    WriteTestFile(suite.Path("cl dir\\a.vnt"), Note("-FILENAME:cl-dir-a.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("cl dir\\sub\\b.dat"), Note("-FILENAME:cl-dir-b.bin\r\n", "REVG"));
    const auto program =
        suite.Start("cl-first.vnt " + suite.Path("cl-second.vnt") + " " +
                    Quoted(suite.Path("cl-third.vnt")) + " " + Quoted(suite.Path("cl dir")));
    AnswerQuestion(*program, golden::OverwriteQuestion(suite.Path("cl-same.bin")),
                   golden::kOverwriteCaption, true);
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectFile(suite.Path("cl-same.bin"), "GHI");
    ExpectFile(suite.Path("cl-second.bin"), "DEF");
    ExpectFile(suite.Path("cl dir\\cl-dir-a.bin"), "ABC");
    ExpectFile(suite.Path("cl dir\\sub\\cl-dir-b.bin"), "DEF");
  });

  suite.Run("command line: a folder without notes says so, then the program ends", [&] {
    CreateTestFolder(suite.Path("cl empty dir"));
    const auto program = suite.Start(Quoted(suite.Path("cl empty dir")));
    AnswerMessage(*program, golden::kNoNotesDropped);
    Expect(program->WaitForExit() == 0, "exit code is not 0");
  });

  suite.Run("command line: a bare name's output goes beside it, wherever the dialog went", [&] {
    CreateTestFolder(suite.Path("dialog dir"));
    WriteTestFile(suite.Path("bare.vnt"), Note("", "QUJD"));
    const auto program = suite.Start("bare.vnt");
    AnswerMessage(*program, golden::kNoFileNameKey);
    ChooseFiles(WaitForFileDialog(*program, golden::NameDialogTitle("bare.vnt", false)),
                suite.Path("dialog dir"), {"bare-out.bin"});
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectFile(suite.Path("bare-out.bin"), "ABC");
    ExpectNoFile(suite.Path("dialog dir\\bare-out.bin"));
  });

  suite.Run("command line: a missing file ends the program silently", [&] {
    const auto program = suite.Start(suite.Path("cl-missing.vnt"));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
  });

  suite.Run("command line: a source held open by another program shows the error box", [&] {
    const std::string note = suite.Path("cl-locked.vnt");
    WriteTestFile(note, Note("-FILENAME:cl-locked.bin\r\n", "QUJD"));
    const FileLock lock(note);
    const auto program = suite.Start(note);
    AnswerErrorBox(*program, golden::CannotOpenFile(note));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectNoFile(suite.Path("cl-locked.bin"));
  });
}

void FileListCases(Suite& suite) {
  suite.Run("window: showing the window empties the file list; the window takes drops", [&] {
    RemoteProgram& program = suite.Window();
    Expect(ListedFiles(program).empty(), "file list is not empty");
    Expect((GetWindowLongW(program.MainWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0,
           "main window does not accept dropped files");
    program.ExpectNoDialog();
    ExpectCentredInWorkArea(program.MainWindow(),
                            MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), "the main window");
    Expect(!IsWindowVisible(program.Control(IDC_LISTBOX1)) &&
               !IsWindowVisible(program.Control(IDC_STATICTEXT1)),
           "the hidden controls are visible");
    SetListedFiles(program, {std::begin(kSamplePaths), std::end(kSamplePaths)});
    suite.Screenshot({program.MainWindow()}, "main-window.bmp");
    // A fresh window's list is empty anyway: hidden and shown again, a filled
    // list must empty.
    const HWND main_window = program.MainWindow();
    ShowWindow(main_window, SW_HIDE);
    ShowWindow(main_window, SW_SHOW);
    Expect(WaitUntil([&] { return ListedFiles(program).empty(); }),
           "file list after showing again is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: keys: the focus starts on the browse button; Tab goes round and back", [&] {
    suite.EndWindow();
    RemoteProgram& program = suite.Window();
    ExpectFocus(program, IDC_BTNREAD, "at start");
    DWORD_PTR cues = 0;
    SendMessageTimeoutW(program.Control(IDC_BTNREAD), WM_QUERYUISTATE, 0, 0, SMTO_ABORTIFHUNG,
                        kTimeoutMs, &cues);
    Expect((cues & UISF_HIDEFOCUS) == 0, "the browse button hides its focus rectangle");
    SetListText(program, "C:\\one.vnt\r\nC:\\two.vnt");
    const struct {
      bool backwards;
      int to;
    } steps[] = {{false, IDC_BUTTON1}, {false, IDC_FINLIST}, {false, IDC_BTNREAD},
                 {true, IDC_FINLIST},  {true, IDC_BUTTON1},  {true, IDC_BTNREAD}};
    int step = 0;
    for (const auto& [backwards, to] : steps) {
      if (backwards) {
        Type(program, VK_TAB, {VK_SHIFT});
      } else {
        Type(program, VK_TAB);
      }
      // Appended piece by piece: with "literal" + std::string&&, g++ 12 warns
      // of an overlapping copy that cannot happen (-Wrestrict).
      std::string when = "after key ";
      when += std::to_string(++step);
      when += " of Tab, Tab, Tab, Shift+Tab, Shift+Tab, Shift+Tab";
      ExpectFocus(program, to, when);
    }
    Expect(WindowText(program.Control(IDC_FINLIST)) == "C:\\one.vnt\r\nC:\\two.vnt",
           "Tab typed into the list: " + Joined(ListedFiles(program)));
  });

  suite.Run("window: keys: Esc keeps the list; Enter, Space and shortcuts press buttons", [&] {
    RemoteProgram& program = suite.Window();
    SetListText(program, "typed one\r\ntyped two");
    Type(program, VK_TAB, {VK_SHIFT});
    ExpectFocus(program, IDC_FINLIST, "after Shift+Tab from the browse button");
    Type(program, VK_ESCAPE);
    Sleep(300);
    Expect(!program.HasExited(), "Esc in the list ended the program");
    program.ExpectNoDialog();
    Expect(ListedFiles(program) == std::vector<std::string>{"typed one", "typed two"},
           "after Esc the list is " + Joined(ListedFiles(program)));

    // Every box and dialog gives the focus back to where it was.
    Type(program, VK_F5);
    AnswerMessage(program, golden::SomeFailed({"typed one", "typed two"}), VK_RETURN);
    ExpectFocus(program, IDC_FINLIST, "after the batch F5 started");
    Type(program, 'O', {VK_CONTROL});
    CancelFileDialog(WaitForFileDialog(program, golden::kBrowseDialogTitle));
    ExpectFocus(program, IDC_FINLIST, "after the browse dialog Ctrl+O opened");
    Expect(ListedFiles(program).empty(), "the list is " + Joined(ListedFiles(program)));

    Type(program, VK_TAB, {VK_SHIFT});
    ExpectFocus(program, IDC_BUTTON1, "after Shift+Tab from the list");
    Type(program, VK_RETURN);
    AnswerMessage(program, golden::kAllConverted);
    ExpectFocus(program, IDC_BUTTON1, "after the batch Enter started");
    Type(program, VK_TAB, {VK_SHIFT});
    Type(program, VK_SPACE);
    CancelFileDialog(WaitForFileDialog(program, golden::kBrowseDialogTitle));
    ExpectFocus(program, IDC_BTNREAD, "after the browse dialog Space opened");
  });

  suite.Run("window: screen readers: the list is named by its label, the buttons by theirs", [&] {
    RemoteProgram& program = suite.Window();
    const HRESULT initialised = CoInitialize(nullptr);
    const struct {
      int id;
      std::string_view name;
    } controls[] = {{IDC_FINLIST, golden::kSourceLabel},
                    {IDC_BTNREAD, golden::kBrowseButton},
                    {IDC_BUTTON1, golden::kStartButton}};
    std::string wrong;
    for (const auto& [id, name] : controls) {
      const Accessible read = AccessibleOf(program.Control(id));
      // Wine's oleacc gives a button the role of any window; its style
      // says what it is.
      const bool push_button =
          (GetWindowLongW(program.Control(id), GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON;
      if (read.name != name || (id == IDC_FINLIST ? read.role != ROLE_SYSTEM_TEXT : !push_button))
        wrong += " \"" + Printable(read.name) + "\" role " + std::to_string(read.role) + ";";
    }
    if (SUCCEEDED(initialised)) CoUninitialize();
    Expect(wrong.empty(), "screen readers read" + wrong);
  });

  suite.Run("window: the file list fills the client area below the panel as it resizes", [&] {
    RemoteProgram& program = suite.Window();
    const HWND main_window = program.MainWindow();
    RECT designed;
    GetWindowRect(main_window, &designed);
    const auto list_fills_client = [&] {
      RECT client, list;
      GetClientRect(main_window, &client);
      GetWindowRect(program.Control(IDC_FINLIST), &list);
      MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&list), 2);
      return list.left == 0 && list.top > 0 && list.right == client.right &&
             list.bottom == client.bottom;
    };
    Expect(list_fills_client(), "file list does not fill the client area");
    SetWindowPos(main_window, nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
    Expect(WaitUntil(list_fills_client), "file list does not follow the resize");
    SetWindowPos(main_window, nullptr, 0, 0, designed.right - designed.left,
                 designed.bottom - designed.top, SWP_NOMOVE | SWP_NOZORDER);
    Expect(WaitUntil(list_fills_client), "file list does not follow the resize back");
  });

  suite.Run("window: browsing for several files lists their full paths in order", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("b.vnt"), Note("-FILENAME:b.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("a.dat"), Note("-FILENAME:a.bin\r\n", "QUJD"));
    Click(program, IDC_BTNREAD);
    ChooseFiles(WaitForFileDialog(program, golden::kBrowseDialogTitle), suite.Folder(),
                {"b.vnt", "a.dat"});
    const std::vector<std::string> expected{suite.Path("b.vnt"), suite.Path("a.dat")};
    Expect(WaitUntil([&] { return ListedFiles(program) == expected; }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: a name typed without extension gets .vnt", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("typed.vnt"), Note("-FILENAME:typed.bin\r\n", "QUJD"));
    Click(program, IDC_BTNREAD);
    ChooseFiles(WaitForFileDialog(program, golden::kBrowseDialogTitle), suite.Folder(), {"typed"});
    const std::vector<std::string> expected{suite.Path("typed.vnt")};
    Expect(WaitUntil([&] { return ListedFiles(program) == expected; }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: cancelling the browse dialog leaves the list empty", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {"C:\\old\\one.vnt", "C:\\old\\two.vnt"});
    Click(program, IDC_BTNREAD);
    CancelFileDialog(WaitForFileDialog(program, golden::kBrowseDialogTitle));
    Expect(WaitUntil([&] { return ListedFiles(program).empty(); }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: dropping two files on a list of five leaves exactly the two", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {"C:\\1.vnt", "C:\\2.vnt", "C:\\3.vnt", "C:\\4.vnt", "C:\\5.vnt"});
    const std::vector<std::string> dropped{suite.Path("dropped one.vnt"),
                                           suite.Path("dropped 表.dat")};
    DropFiles(program, dropped);
    Expect(WaitUntil([&] { return ListedFiles(program) == dropped; }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: a dropped folder stands for its notes and its subfolders', by name", [&] {
    RemoteProgram& program = suite.Window();
    const std::string folder = suite.Path("dropped folder");
    for (const char* sub : {"", "\\sub", "\\sub\\deeper", "\\Zz", "\\empty"})
      CreateTestFolder(folder + sub);
    for (const char* name :
         {"b.vnt", "A.DAT", "notes.txt", "c.Vnt.bak", "sub\\c.vnt", "sub\\deeper\\d.vnt",
          "sub\\camera-0412dat", "Zz\\e.dat", "empty\\readme.txt"})
      WriteTestFile(folder + "\\" + name, Note("-FILENAME:x.bin\r\n", "QUJD"));
    const std::string file = suite.Path("dropped one.vnt");
    // The window is busy while it scans the folders; the focus comes back
    // after the scan, with no box in between to give it back.
    TabTo(program, IDC_BUTTON1);
    ExpectFocus(program, IDC_BUTTON1, "before the drop");
    DropFiles(program, {folder, file});
    const std::vector<std::string> expected{folder + "\\A.DAT",
                                            folder + "\\b.vnt",
                                            folder + "\\sub\\c.vnt",
                                            folder + "\\sub\\camera-0412dat",
                                            folder + "\\sub\\deeper\\d.vnt",
                                            folder + "\\Zz\\e.dat",
                                            file};
    Expect(WaitUntil([&] { return ListedFiles(program) == expected; }),
           "file list is " + Joined(ListedFiles(program)));
    ExpectFocus(program, IDC_BUTTON1, "after the dropped folder was scanned");

    // A drop that adds nothing says so, and leaves the list empty.
    DropFiles(program, {folder + "\\empty"});
    AnswerMessage(program, golden::kNoNotesDropped);
    Expect(ListedFiles(program).empty(), "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: for Windows 7 to 11, aware of each screen's dpi, laid out for a new one", [&] {
    RemoteProgram& program = suite.Window();
    const HWND main_window = program.MainWindow();
    // Wine scales no window as a bitmap, so what the program declares is read
    // from the exe itself.
    const std::string manifest = ManifestOf(suite.Options().executable);
    Expect(manifest.find(">PerMonitorV2, PerMonitor, System</dpiAwareness>") != std::string::npos,
           "the manifest does not declare per-monitor v2 awareness with its fallbacks");
    for (const char* windows_10_to_7 :
         {"8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
          "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "35138b9a-5d96-4fbd-8e2d-a2440225f93a"})
      Expect(manifest.find(std::string("<supportedOS Id=\"{") + windows_10_to_7 + "}\"/>") !=
                 std::string::npos,
             std::string("the manifest does not declare the Windows ") + windows_10_to_7);
    RECT before;
    GetWindowRect(main_window, &before);
    const int dpi = static_cast<int>(GetDpiForWindow(main_window));
    const auto at = [dpi](int pixels, int new_dpi) { return MulDiv(pixels, new_dpi, 96); };
    // The label stands clear of both buttons, whatever face stands in for its
    // font.
    const auto expect_label_clear = [&program](const std::string& when) {
      RECT label, button, overlap;
      GetWindowRect(program.Control(IDC_LABEL1), &label);
      for (const int id : {IDC_BTNREAD, IDC_BUTTON1}) {
        GetWindowRect(program.Control(id), &button);
        const bool covers = IntersectRect(&overlap, &label, &button);
        Expect(!covers, "the label covers a button by " +
                            std::to_string(overlap.right - overlap.left) + " pixels" + when);
      }
    };
    expect_label_clear(" as the window starts");
    for (const int new_dpi : {dpi * 3 / 2, dpi * 2, dpi * 5 / 2, dpi}) {
      RECT suggested{before.left, before.top,
                     before.left + MulDiv(before.right - before.left, new_dpi, dpi),
                     before.top + MulDiv(before.bottom - before.top, new_dpi, dpi)};
      DWORD_PTR result;
      SendMessageTimeoutW(main_window, WM_DPICHANGED, MAKEWPARAM(new_dpi, new_dpi),
                          reinterpret_cast<LPARAM>(program.CopyIntoProgram(std::string(
                              reinterpret_cast<const char*>(&suggested), sizeof suggested))),
                          SMTO_ABORTIFHUNG, kTimeoutMs, &result);
      const std::string at_dpi = " at " + std::to_string(new_dpi) + " dpi";
      RECT bounds;
      GetWindowRect(main_window, &bounds);
      Expect(EqualRect(&bounds, &suggested),
             "the window did not take the suggested bounds" + at_dpi);
      const RECT start = BoundsInParent(program.Control(IDC_BUTTON1));
      Expect(start.left == at(208, new_dpi) && start.top == at(4, new_dpi) &&
                 start.right - start.left == at(153, new_dpi) &&
                 start.bottom - start.top == at(29, new_dpi),
             "the start button is not where the layout puts it" + at_dpi);
      RECT client;
      GetClientRect(main_window, &client);
      const RECT list = BoundsInParent(program.Control(IDC_FINLIST));
      Expect(
          list.top == at(37, new_dpi) && list.right == client.right && list.bottom == client.bottom,
          "the file list does not fill the client area below the panel" + at_dpi);
      expect_label_clear(at_dpi);
      suite.Screenshot({main_window}, "main-window-" + std::to_string(new_dpi) + "dpi.bmp");
    }
  });
}

void BatchCases(Suite& suite) {
  suite.Run("batch: an empty list ends at once with the success message", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {});
    Click(program, IDC_BUTTON1);
    ExpectCentredInWorkArea(program.WaitForDialog(),
                            MonitorFromWindow(program.MainWindow(), MONITOR_DEFAULTTONULL),
                            "the message");
    AnswerMessage(program, golden::kAllConverted, VK_RETURN);
  });

  suite.Run("batch: three files, the second missing: all attempted, failure message", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("batch1.vnt"), Note("-FILENAME:batch1.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("batch3.vnt"), Note("-FILENAME:batch3.bin\r\n", "R0hJ"));
    SetListedFiles(program, {suite.Path("batch1.vnt"), suite.Path("batch2-missing.vnt"),
                             suite.Path("batch3.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, golden::SomeFailed({suite.Path("batch2-missing.vnt")}), VK_ESCAPE);
    ExpectFile(suite.Path("batch1.bin"), "ABC");
    ExpectFile(suite.Path("batch3.bin"), "GHI");
  });

  suite.Run("batch: 2,000 notes: the window answers, shows progress, takes no input", [&] {
    RemoteProgram& program = suite.Window();
    constexpr int kNotes = 2000;
    const std::vector<std::string> notes = ManyNotes(suite.Path("many"), kNotes);
    SetListedFiles(program, notes);
    const HWND main_window = program.MainWindow();
    Click(program, IDC_BUTTON1);
    Probes probes;
    int last_progress = 0, busy_seen = 0, input_open = 0;
    probes.UntilABoxComes(program, 50, [&] {
      const int progress = ProgressIn(WindowText(main_window), kNotes).note;
      if (progress > 0) {
        Expect(progress >= last_progress, "the progress went back");
        last_progress = progress;
        ++busy_seen;
        input_open |= OpenInputs(program);
      }
    });
    AnswerMessage(program, golden::kAllConverted);
    std::printf("     %s, last progress seen %d/%d\n", probes.Summary().c_str(), last_progress,
                kNotes);
    probes.ExpectAllAnswered();
    Expect(last_progress > 0, "the caption never showed the progress");
    Expect(busy_seen > 0 && input_open == 0,
           "the window took input while the batch ran (" + std::to_string(input_open) + ")");
    Expect(WindowText(main_window) == golden::kWindowCaption && OpenInputs(program) == kAllInputs,
           "the caption or the input is not restored");
    ExpectFile(suite.Path("many\\n1.bin"), "ABC");
    ExpectFile(suite.Path("many\\n2000.bin"), "ABC");
  });

  suite.Run("batch: a reader that opens each new file at once: 300 of 300 outputs, none left", [&] {
    RemoteProgram& program = suite.Window();
    constexpr int kNotes = 300;
    const std::string folder = suite.Path("scanned");
    // Outputs of some kilobytes, so that each temporary file is there long
    // enough for the reader to find it.
    CreateTestFolder(folder);
    std::vector<std::string> notes;
    std::string decoded;
    for (int i = 1; i <= kNotes; ++i) {
      const std::string name = NumberedName(i);
      decoded = WriteLongNote(folder + "\\" + name + ".vnt", name + ".bin", 400);
      notes.push_back(folder + "\\" + name + ".vnt");
    }
    SetListedFiles(program, notes);
    int held = 0, held_temporary = 0;
    {
      StandInReader reader(folder, 20);
      Click(program, IDC_BUTTON1);
      Expect(WaitUntil([&] { return !program.Dialogs().empty(); }, 180000),
             "the batch does not end");
      AnswerMessage(program, golden::kAllConverted);
      held = reader.held();
      held_temporary = reader.held_temporary();
    }
    std::printf("     the reader held %d files, %d of them temporary\n", held, held_temporary);
    Expect(held_temporary > 0, "the reader never held a temporary file");
    int written = 0;
    for (int i = 1; i <= kNotes; ++i)
      written += ReadTestFile(folder + "\\" + NumberedName(i) + ".bin") == decoded;
    Expect(written == kNotes, std::to_string(written) + " of 300 outputs written");
    Expect(!TemporaryFileIn(folder), "a temporary file is left");
  });

  suite.Run("batch: an old output a viewer holds for 1 s is replaced; the window answers", [&] {
    RemoteProgram& program = suite.Window();
    const std::string folder = suite.Path("viewed");
    CreateTestFolder(folder);
    WriteTestFile(folder + "\\v.vnt", Note("-FILENAME:v.bin\r\n", "QUJD"));
    WriteTestFile(folder + "\\v.bin", "old");
    // A picture viewer shares reading only.
    const HANDLE viewer = CreateFileW(Wide(folder + "\\v.bin").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    Expect(viewer != INVALID_HANDLE_VALUE, "the viewer cannot open the old output");
    SetListedFiles(program, {folder + "\\v.vnt"});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, golden::OverwriteQuestion(folder + "\\v.bin"),
                   golden::kOverwriteCaption, true);
    Probes probes;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 1000;) {
      probes.Send(program.MainWindow());
      Sleep(50);
    }
    CloseHandle(viewer);
    AnswerMessage(program, golden::kAllConverted);
    probes.ExpectAllAnswered();
    ExpectFile(folder + "\\v.bin", "ABC");
    Expect(!TemporaryFileIn(folder), "a temporary file is left");
  });

  suite.Run(
      "batch: an old output held for good fails after a few seconds; it stays, none left", [&] {
        RemoteProgram& program = suite.Window();
        const std::string folder = suite.Path("held");
        CreateTestFolder(folder);
        const std::string note = folder + "\\h.vnt";
        WriteTestFile(note, Note("-FILENAME:h.bin\r\n", "QUJD"));
        WriteTestFile(folder + "\\h.bin", "old");
        DWORD took = 0;
        {
          FileLock lock(folder + "\\h.bin");
          SetListedFiles(program, {note});
          Click(program, IDC_BUTTON1);
          AnswerQuestion(program, golden::OverwriteQuestion(folder + "\\h.bin"),
                         golden::kOverwriteCaption, true);
          const DWORD start = GetTickCount();
          AnswerFailure(program, golden::FailureBeforeReason(golden::kCannotWriteFile, note,
                                                             folder + "\\h.bin"));
          took = GetTickCount() - start;
        }
        AnswerMessage(program, golden::SomeFailed({note}));
        std::printf("     the failure came after %lu ms\n", static_cast<unsigned long>(took));
        Expect(took >= 2000 && took < 10000, "the replacement was not tried for a few seconds");
        ExpectFile(folder + "\\h.bin", "old");
        Expect(!TemporaryFileIn(folder), "a temporary file is left");
      });

  suite.Run("batch: Esc ends a batch of 2,000 after the note in hand; the window stays", [&] {
    RemoteProgram& program = suite.Window();
    constexpr int kNotes = 2000;
    const std::vector<std::string> notes = ManyNotes(suite.Path("many stopped"), kNotes);
    SetListedFiles(program, notes);
    const HWND main_window = program.MainWindow();
    TabTo(program, IDC_FINLIST);
    ExpectFocus(program, IDC_FINLIST, "before the batch");
    Type(program, VK_F5);
    Expect(WaitUntil([&] { return ProgressIn(WindowText(main_window), kNotes).note >= 20; }),
           "the batch did not start");
    Type(program, VK_ESCAPE);
    const HWND box = program.WaitForDialog();
    // The first note not converted is the first without its output.
    int first_left = 1;
    while (first_left <= kNotes &&
           ReadTestFile(suite.Path("many stopped\\" + NumberedName(first_left) + ".bin")))
      ++first_left;
    Expect(first_left < kNotes - 20, "the batch went on to note " + std::to_string(first_left));
    for (int i = first_left; i <= kNotes; i += 97)
      ExpectNoFile(suite.Path("many stopped\\" + NumberedName(i) + ".bin"));
    suite.Screenshot({main_window, box}, "batch-stopped.bmp");
    AnswerMessage(program, golden::SomeFailed({notes.begin() + first_left - 1,
                                               notes.begin() + first_left - 1 + 20}) +
                               "\n" + golden::MoreFailedLines(kNotes - first_left + 1 - 20));
    Expect(!program.HasExited() && WindowText(main_window) == golden::kWindowCaption &&
               OpenInputs(program) == kAllInputs,
           "the window did not stay as it was");
    ExpectFocus(program, IDC_FINLIST, "after the stopped batch");
    Expect(ListedFiles(program) == notes, "the list changed");
  });

  suite.Run("batch: one note of 400,000 lines: every probe answered, its progress shown", [&] {
    RemoteProgram& program = suite.Window();
    const std::string decoded = WriteLongNote(suite.Path("long.vnt"), "long.bin");
    SetListedFiles(program, {suite.Path("long.vnt")});
    const HWND main_window = program.MainWindow();
    Click(program, IDC_BUTTON1);
    Probes probes;
    int percents_seen = 0, last_percent = -1;
    probes.UntilABoxComes(program, 20, [&] {
      const int percent = ProgressIn(HeldCaption(main_window), 1).note_percent;
      if (percent >= 0) {
        Expect(percent >= last_percent, "the note's progress went back");
        percents_seen += percent != last_percent ? 1 : 0;
        last_percent = percent;
      }
    });
    AnswerMessage(program, golden::kAllConverted);
    std::printf("     %s, %d steps of the note seen, last %d%%\n", probes.Summary().c_str(),
                percents_seen, last_percent);
    probes.ExpectAllAnswered();
    Expect(percents_seen >= 2, "the caption did not show the note's progress");
    Expect(WindowText(main_window) == golden::kWindowCaption, "the caption is not restored");
    ExpectFile(suite.Path("long.bin"), decoded);
  });

  // The sequences Windows sends: a query refused is followed by
  // WM_ENDSESSION(FALSE), after which a user who shuts down anyway has the
  // program ended without a word; a forced end sends ENDSESSION_CRITICAL.
  const struct {
    const char* what;
    const char* folder;
    DWORD query_flags;
    bool refused;
  } session_ends[] = {
      {"batch: a refused log-off, then WM_ENDSESSION(FALSE), leaves no temporary file",
       "session dir", ENDSESSION_LOGOFF, true},
      {"batch: a refused shutdown, then WM_ENDSESSION(FALSE), leaves no temporary file",
       "shutdown dir", 0, true},
      {"batch: a forced log-off (ENDSESSION_CRITICAL) leaves no temporary file", "forced dir",
       ENDSESSION_CRITICAL | ENDSESSION_LOGOFF, false},
  };
  for (const auto& end : session_ends) {
    suite.Run(end.what, [&] {
      const std::string folder = suite.Path(end.folder);
      CreateTestFolder(folder);
      WriteLongNote(folder + "\\s.vnt", "s.bin");
      WriteTestFile(folder + "\\s.bin", "keep me");
      const auto program = suite.Start("");
      SetListedFiles(*program, {folder + "\\s.vnt"});
      Click(*program, IDC_BUTTON1);
      AnswerQuestion(*program, golden::OverwriteQuestion(folder + "\\s.bin"),
                     golden::kOverwriteCaption, true);
      WaitForOutputBeingWritten(*program, folder);
      const HWND main_window = program->MainWindow();
      DWORD_PTR may_end = 1;
      const bool answered = SendMessageTimeoutW(main_window, WM_QUERYENDSESSION, 0,
                                                static_cast<LPARAM>(end.query_flags), SMTO_BLOCK,
                                                5000, &may_end) != 0;
      if (end.refused) {
        Expect(answered && may_end == FALSE, "the session was not asked to wait for the batch");
        DWORD_PTR ignored;
        SendMessageTimeoutW(main_window, WM_ENDSESSION, FALSE, static_cast<LPARAM>(end.query_flags),
                            SMTO_BLOCK, 5000, &ignored);
      }
      Expect(program->WaitForExit() == 0, "exit code is not 0");
      Expect(!TemporaryFileIn(folder), "a temporary file is left");
      ExpectFile(folder + "\\s.bin", "keep me");
    });
  }

  suite.Run("batch: a file that appears at a new output's name meanwhile is kept", [&] {
    RemoteProgram& program = suite.Window();
    const std::string folder = suite.Path("appear dir");
    CreateTestFolder(folder);
    WriteLongNote(folder + "\\a.vnt", "a.bin");
    SetListedFiles(program, {folder + "\\a.vnt"});
    Click(program, IDC_BUTTON1);
    WaitForOutputBeingWritten(program, folder);
    // The output's folder is held: it cannot be moved away under the output.
    const bool moved = MoveFileW(Wide(folder).c_str(), Wide(folder + " moved").c_str()) != 0;
    if (moved) MoveFileW(Wide(folder + " moved").c_str(), Wide(folder).c_str());
    Expect(!moved, "the output's folder could be renamed while the output was written");
    WriteTestFile(folder + "\\a.bin", "appeared");
    AnswerFailure(program, golden::FailureBeforeReason(golden::kCannotWriteFile, folder + "\\a.vnt",
                                                       folder + "\\a.bin"));
    AnswerMessage(program, golden::SomeFailed({folder + "\\a.vnt"}));
    ExpectFile(folder + "\\a.bin", "appeared");
    Expect(!TemporaryFileIn(folder), "a temporary file is left");
  });

  suite.Run("batch: closing the window ends the batch after the note in hand", [&] {
    RemoteProgram& program = suite.Window();
    const std::string note = NoteWithExistingOutput(suite, "closed");
    WriteTestFile(suite.Path("closed-next.vnt"), Note("-FILENAME:closed-next.bin\r\n", "QUJD"));
    SetListedFiles(program, {suite.Path(note), suite.Path("closed-next.vnt")});
    Click(program, IDC_BUTTON1);
    const HWND question = program.WaitForDialog();
    // What the close box, Alt+F4 and the taskbar send in the end; the box
    // holds the window disabled, so they could not reach it now.
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    Sleep(500);
    Expect(IsWindowVisible(question) && !program.HasExited(),
           "the close request did not wait for the note in hand");
    // Owned by the window, it stays among the other programs' windows.
    Expect(!IsTopmost(question), "the window's question stays above other programs' windows");
    // No closing message: the window closes once the note in hand is done.
    AnswerQuestion(program, golden::OverwriteQuestion(suite.Path("closed-existing.bin")),
                   golden::kOverwriteCaption, true);
    Expect(program.WaitForExit() == 0, "exit code is not 0");
    suite.EndWindow();
    ExpectFile(suite.Path("closed-existing.bin"), "ABC");
    ExpectNoFile(suite.Path("closed-next.bin"));
  });
}

void BlankLineCases(Suite& suite) {
  suite.Run("batch: a blank line fails, a quoted one converts, a last line end adds none", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("blank1.vnt"), Note("-FILENAME:blank1.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("blank2.vnt"), Note("-FILENAME:blank2.bin\r\n", "REVG"));
    SetListText(program, suite.Path("blank1.vnt") + "\r\n");
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, golden::kAllConverted);
    ExpectFile(suite.Path("blank1.bin"), "ABC");

    // A path in quotes, as the shell copies it, is the path inside them.
    SetListText(program, "\r\n" + suite.Path("blank2.vnt") + "\r\n \t\"" +
                             suite.Path("blank1.vnt") + "\" \r\n\"" + suite.Path("blank1.vnt"));
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, golden::OverwriteQuestion(suite.Path("blank1.bin")),
                   golden::kOverwriteCaption, true);
    AnswerMessage(program,
                  golden::SomeFailed({golden::BlankLine(1), "\"" + suite.Path("blank1.vnt")}));
    ExpectFile(suite.Path("blank2.bin"), "DEF");
  });
}

void PromptCases(Suite& suite) {
  suite.Run("prompts: no -FILENAME but a size: message, name dialog, bitmap header", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("dims.vnt"),
                  Note("-BMPTYPE:4\r\n-WIDTH:132\r\n-HEIGHT:144\r\n", "QUJD"));
    SetListedFiles(program, {suite.Path("dims.vnt")});
    Click(program, IDC_BUTTON1);
    suite.Screenshot({program.MainWindow(), program.WaitForDialog()}, "message.bmp");
    AnswerMessage(program, golden::kNoFileNameKey);
    const HWND dialog =
        WaitForFileDialog(program, golden::NameDialogTitle("dims.vnt", /*headerless_hint=*/true));
    suite.Screenshot({program.MainWindow(), dialog}, "name-dialog.bmp");
    ChooseFiles(dialog, suite.Folder(), {"dims-out.bmp"});
    suite.Screenshot({program.WaitForDialog()}, "question.bmp");
    AnswerQuestion(program, golden::kAddBitmapHeaderQuestion, golden::kAddBitmapHeaderCaption,
                   true);
    AnswerMessage(program, golden::kAllConverted);

    const std::optional<std::string> output = ReadTestFile(suite.Path("dims-out.bmp"));
    Expect(output && output->size() == 66 + 3, "output is not a 66-byte header and 3 bytes");
    Expect(output->substr(0, 2) == "BM" && output->substr(66) == "ABC",
           "output is not the header followed by the payload");
    Expect(NumberAt(*output, 18) == 132 && NumberAt(*output, 22) == 144,
           "header does not carry width 132 and height 144");
    // The hidden list box held the file, and keeps its payload lines.
    DWORD_PTR kept = 0;
    SendMessageTimeoutW(program.Control(IDC_LISTBOX1), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                        kTimeoutMs, &kept);
    Expect(kept == 2, "line buffer keeps " + std::to_string(kept) + " lines, expected 2");
  });

  suite.Run(
      "prompts: no to overwriting a named output: it says so, then cancel leaves the file", [&] {
        RemoteProgram& program = suite.Window();
        const std::string note = NoteWithExistingOutput(suite, "ow-cancel");
        SetListedFiles(program, {suite.Path(note)});
        Click(program, IDC_BUTTON1);
        AnswerQuestion(program, golden::OverwriteQuestion(suite.Path("ow-cancel-existing.bin")),
                       golden::kOverwriteCaption, false);
        AnswerMessage(program, golden::kOutputExistsNotice);
        CancelFileDialog(WaitForFileDialog(program, golden::NameDialogTitle(note, false)));
        AnswerMessage(program, golden::SomeFailed({suite.Path(note)}));
        ExpectFile(suite.Path("ow-cancel-existing.bin"), "keep me");
      });

  suite.Run("prompts: a note naming itself as its output: the notice says so, no question", [&] {
    RemoteProgram& program = suite.Window();
    const std::string note = suite.Path("self-named.vnt");
    WriteTestFile(note, Note("-FILENAME:self-named.vnt\r\n", "QUJD"));
    SetListedFiles(program, {note});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, golden::kOutputIsSourceNotice);
    CancelFileDialog(WaitForFileDialog(program, golden::NameDialogTitle("self-named.vnt", false)));
    AnswerMessage(program, golden::SomeFailed({note}));
    ExpectFile(note, Note("-FILENAME:self-named.vnt\r\n", "QUJD"));
  });

  suite.Run("prompts: no to overwriting, then a new name, asks for the bitmap header", [&] {
    RemoteProgram& program = suite.Window();
    const std::string note = NoteWithExistingOutput(suite, "ow-rename");
    SetListedFiles(program, {suite.Path(note)});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, golden::OverwriteQuestion(suite.Path("ow-rename-existing.bin")),
                   golden::kOverwriteCaption, false);
    AnswerMessage(program, golden::kOutputExistsNotice);
    ChooseFiles(WaitForFileDialog(program, golden::NameDialogTitle(note, false)), suite.Folder(),
                {"ow-new.bin"});
    AnswerQuestion(program, golden::kAddBitmapHeaderQuestion, golden::kAddBitmapHeaderCaption,
                   false);
    AnswerMessage(program, golden::kAllConverted);
    ExpectFile(suite.Path("ow-new.bin"), "ABC");
    ExpectFile(suite.Path("ow-rename-existing.bin"), "keep me");

    // The name dialog offers the name chosen last.
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, golden::OverwriteQuestion(suite.Path("ow-rename-existing.bin")),
                   golden::kOverwriteCaption, false);
    AnswerMessage(program, golden::kOutputExistsNotice);
    const HWND dialog = WaitForFileDialog(program, golden::NameDialogTitle(note, false));
    const std::string offered = FileNameField(dialog);
    CancelFileDialog(dialog);
    AnswerMessage(program, golden::SomeFailed({suite.Path(note)}));
    Expect(offered == "ow-new.bin", "name dialog offers \"" + Printable(offered) + "\"");
  });

  suite.Run("prompts: yes to overwriting replaces the file without a header", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {suite.Path(NoteWithExistingOutput(suite, "ow-yes"))});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, golden::OverwriteQuestion(suite.Path("ow-yes-existing.bin")),
                   golden::kOverwriteCaption, true);
    AnswerMessage(program, golden::kAllConverted);
    ExpectFile(suite.Path("ow-yes-existing.bin"), "ABC");
  });
}

void FailureCases(Suite& suite) {
  suite.Run("batch: a source held open elsewhere stops the batch with the error box", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("u1.vnt"), Note("-FILENAME:u1.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("u2.vnt"), Note("-FILENAME:u2.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("u3.vnt"), Note("-FILENAME:u3.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("nobase.vnt"), "nothing to see\r\n");
    {
      const FileLock lock(suite.Path("u2.vnt"));
      SetListedFiles(program, {suite.Path("u1.vnt"), suite.Path("u2.vnt"), suite.Path("u3.vnt")});
      Click(program, IDC_BUTTON1);
      AnswerErrorBox(program, golden::CannotOpenFile(suite.Path("u2.vnt")));
    }
    ExpectFile(suite.Path("u1.bin"), "ABC");
    ExpectNoFile(suite.Path("u2.bin"));
    ExpectNoFile(suite.Path("u3.bin"));
    // The window still works, and the stopped batch left no closing message:
    // the next dialog is the one of the next run.
    SetListedFiles(program, {suite.Path("nobase.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, golden::NotConvertible("nobase.vnt"));
    AnswerMessage(program, golden::SomeFailed({suite.Path("nobase.vnt")}));
  });

  suite.Run("batch: failures name the note, its output and why, and close the run", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("fail-ok.vnt"), Note("-FILENAME:fail-ok.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("fail-create.vnt"), Note("-FILENAME:fail-out.bin\r\n", "QUJD"));
    // A folder where the output should go: no file can be created there.
    CreateTestFolder(suite.Path("fail-out.bin"));
    SetListText(program, suite.Path("fail-ok.vnt") + "\r\n" + suite.Path("fail-create.vnt") +
                             "\r\n  \r\n" + suite.Path("fail-missing.vnt"));
    Click(program, IDC_BUTTON1);
    suite.Screenshot({program.MainWindow(), program.WaitForDialog()}, "failure.bmp");
    AnswerFailure(program, golden::FailureBeforeReason(golden::kCannotCreateFile,
                                                       suite.Path("fail-create.vnt"),
                                                       suite.Path("fail-out.bin")));
    AnswerMessage(program, golden::SomeFailed({suite.Path("fail-create.vnt"), golden::BlankLine(3),
                                               suite.Path("fail-missing.vnt")}));
    ExpectFile(suite.Path("fail-ok.bin"), "ABC");
  });

  suite.Run("overwrite: an output held open elsewhere stays whole, and no part is left", [&] {
    RemoteProgram& program = suite.Window();
    const std::string note = NoteWithExistingOutput(suite, "held");
    {
      // Held without sharing, the old output cannot be replaced.
      const FileLock lock(suite.Path("held-existing.bin"));
      SetListedFiles(program, {suite.Path(note)});
      Click(program, IDC_BUTTON1);
      AnswerQuestion(program, golden::OverwriteQuestion(suite.Path("held-existing.bin")),
                     golden::kOverwriteCaption, true);
      AnswerFailure(program, golden::FailureBeforeReason(golden::kCannotWriteFile, suite.Path(note),
                                                         suite.Path("held-existing.bin")));
      AnswerMessage(program, golden::SomeFailed({suite.Path(note)}));
    }
    ExpectFile(suite.Path("held-existing.bin"), "keep me");
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(Wide(suite.Path(".marrowpin-*")).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    Expect(search == INVALID_HANDLE_VALUE, "a temporary file is left");
  });

  suite.Run("window: the menu File holds Exit, and choosing it ends the program", [&] {
    RemoteProgram& program = suite.Window();
    const UINT exit_command = ExitMenuCommand(suite.Options().executable, program.MainWindow());
    PostMessageW(program.MainWindow(), WM_COMMAND, MAKEWPARAM(exit_command, 0), 0);
    Expect(program.WaitForExit() == 0, "exit code is not 0");
    suite.EndWindow();
  });

  suite.Run("window: the close box ends the program", [&] {
    RemoteProgram& program = suite.Window();
    PostMessageW(program.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Expect(program.WaitForExit() == 0, "exit code is not 0");
    suite.EndWindow();
  });
}

}  // namespace marrowpin::wine_tests
