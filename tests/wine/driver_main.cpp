// Drives Marrowpin.exe from outside, as a user would, under Wine: starts it,
// clicks, types into and answers its windows and dialogs, and checks the
// files it writes and the texts it shows. Prints one line per case and a
// closing "N passed, M failed"; exits non-zero when any case failed.
//
// Usage: marrowpin-wine-driver MARROWPIN_EXE SCREENSHOT_FOLDER

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/messages.h"
#include "dialogs.h"
#include "expected_texts.h"
#include "main/resource_ids.h"
#include "remote_program.h"
#include "screenshot.h"
#include "test_files.h"

namespace marrowpin::wine_tests {
namespace {

void Expect(bool condition, const std::string& failure) {
  if (!condition) throw TestFailure(failure);
}

void ExpectFile(const std::string& path, const std::string& expected) {
  const std::optional<std::string> actual = ReadTestFile(path);
  Expect(actual.has_value(), "no file " + Printable(path));
  Expect(*actual == expected, Printable(path) + " holds \"" + Printable(*actual) +
                                  "\", expected \"" + Printable(expected) + "\"");
}

void ExpectNoFile(const std::string& path) {
  Expect(!ReadTestFile(path).has_value(), "unexpected file " + Printable(path));
}

// A note file whose attachment, given by lines before "BASE64:", is payload.
std::string Note(const std::string& header_lines, const std::string& payload) {
  return header_lines + "BASE64:" + payload + "\r\nEND:VNOTE\r\n";
}

// A command-line argument that keeps its blanks.
std::string Quoted(const std::string& argument) {
  std::string quoted(1, '"');
  quoted += argument;
  quoted += '"';
  return quoted;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += (text.empty() ? "" : " | ") + line;
  return Printable(text);
}

// The 32-bit little-endian number at offset of bytes.
std::int32_t NumberAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return static_cast<std::int32_t>(value);
}

class Suite {
 public:
  Suite(std::string executable, std::string screenshots, std::string folder)
      : executable_(std::move(executable)),
        screenshots_(std::move(screenshots)),
        folder_(std::move(folder)) {}

  void Run(const char* name, const std::function<void()>& test) {
    try {
      test();
      std::printf("ok   %s\n", name);
      ++passed_;
    } catch (const std::exception& e) {
      std::printf("FAIL %s: %s\n", name, e.what());
      ++failed_;
      window_.reset();  // a fresh program for the cases that follow
    }
    std::fflush(stdout);
  }

  int Finish() {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    std::fflush(stdout);
    return failed_ == 0 ? 0 : 1;
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  const std::string& Folder() const { return folder_; }

  std::unique_ptr<RemoteProgram> Start(const std::string& arguments) const {
    return std::make_unique<RemoteProgram>(executable_, arguments, folder_);
  }

  // The program started without arguments, shared by the window's cases.
  RemoteProgram& Window() {
    if (!window_) window_ = Start("");
    return *window_;
  }
  void EndWindow() { window_.reset(); }

  void Screenshot(const std::vector<HWND>& windows, const std::string& name) const {
    SaveScreenshot(windows, screenshots_ + "\\" + name);
  }

 private:
  std::string executable_;
  std::string screenshots_;
  std::string folder_;
  std::unique_ptr<RemoteProgram> window_;
  int passed_ = 0;
  int failed_ = 0;
};

// --- The main window's controls -------------------------------------------

std::vector<std::string> ListedFiles(RemoteProgram& program) {
  return Lines(WindowText(program.Control(IDC_FINLIST)));
}

void SetListText(RemoteProgram& program, const std::string& text) {
  DWORD_PTR result;
  SendMessageTimeoutA(program.Control(IDC_FINLIST), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kTimeoutMs,
                      &result);
  Expect(WindowText(program.Control(IDC_FINLIST)) == text, "cannot fill the file list");
}

void SetListedFiles(RemoteProgram& program, const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths)
    text += (text.empty() ? "" : "\r\n") + path;
  SetListText(program, text);
}

void Click(RemoteProgram& program, int button_id) {
  PostMessageA(program.Control(button_id), BM_CLICK, 0, 0);
}

// Drops files on the main window as the shell does: a DROPFILES block in
// the program's memory, handed over with WM_DROPFILES.
void DropFiles(RemoteProgram& program, const std::vector<std::string>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  for (const std::string& path : paths)
    block += path + '\0';
  block += '\0';
  PostMessageA(program.MainWindow(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(program.CopyIntoProgram(block)), 0);
}

std::string NotConvertible(const std::string& file_name) {
  return file_name + messages::kJapanese.not_convertible_suffix;
}

std::string ErrorBoxText(const std::string& message) {
  return message + ".";
}

// --- Cases -------------------------------------------------------------------

void CommandLineCases(Suite& suite) {
  suite.Run("command line: a note naming a new output is converted, no message", [&] {
    CreateDirectoryA(suite.Path("notes dir").c_str(), nullptr);
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
    RECT bounds;
    GetWindowRect(program->WaitForDialog(), &bounds);
    Expect(bounds.right - bounds.left <= GetSystemMetrics(SM_CXSCREEN) / 2 + 64,
           "message window is wider than half the screen");
    AnswerMessage(*program, NotConvertible(name));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectNoFile(suite.Path("cl-never.bin"));
  });

  suite.Run("command line: of two arguments only the first is converted", [&] {
    WriteTestFile(suite.Path("cl-first.vnt"), Note("-FILENAME:cl-first.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("cl-second.vnt"), Note("-FILENAME:cl-second.bin\r\n", "REVG"));
    const auto program = suite.Start("cl-first.vnt " + suite.Path("cl-second.vnt"));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectFile(suite.Path("cl-first.bin"), "ABC");
    ExpectNoFile(suite.Path("cl-second.bin"));
  });

  suite.Run("command line: a bare name's output goes beside it, wherever the dialog went", [&] {
    WriteTestFile(suite.Path("bare.vnt"), Note("", "QUJD"));
    const auto program = suite.Start("bare.vnt");
    AnswerMessage(*program, messages::kJapanese.no_file_name_key);
    ChooseFiles(WaitForFileDialog(*program, messages::NameDialogTitle("bare.vnt", false)),
                suite.Path("notes dir"), {"bare-out.bin"});
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectFile(suite.Path("bare-out.bin"), "ABC");
    ExpectNoFile(suite.Path("notes dir\\bare-out.bin"));
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
    AnswerErrorBox(*program, ErrorBoxText(messages::CannotOpenFile(note)));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectNoFile(suite.Path("cl-locked.bin"));
  });
}

void FileListCases(Suite& suite) {
  suite.Run("window: the file list is empty when shown, and the window takes drops", [&] {
    RemoteProgram& program = suite.Window();
    Expect(ListedFiles(program).empty(), "file list is not empty");
    Expect((GetWindowLongA(program.MainWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0,
           "main window does not accept dropped files");
    program.ExpectNoDialog();
    RECT bounds;
    GetWindowRect(program.MainWindow(), &bounds);
    const int centred_left =
        (GetSystemMetrics(SM_CXVIRTUALSCREEN) - (bounds.right - bounds.left)) / 2;
    const int centred_top =
        (GetSystemMetrics(SM_CYVIRTUALSCREEN) - (bounds.bottom - bounds.top)) / 2;
    Expect(std::abs(bounds.left - centred_left) <= 1 && std::abs(bounds.top - centred_top) <= 1,
           "main window is not centred on the desktop");
    Expect(!IsWindowVisible(program.Control(IDC_LISTBOX1)) &&
               !IsWindowVisible(program.Control(IDC_STATICTEXT1)),
           "the hidden controls are visible");
    SetListedFiles(program, {std::begin(kSamplePaths), std::end(kSamplePaths)});
    suite.Screenshot({program.MainWindow()}, "main-window.bmp");
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
    ChooseFiles(WaitForFileDialog(program, kBrowseDialogTitle), suite.Folder(), {"b.vnt", "a.dat"});
    const std::vector<std::string> expected{suite.Path("b.vnt"), suite.Path("a.dat")};
    Expect(WaitUntil([&] { return ListedFiles(program) == expected; }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: a name typed without extension gets .vnt", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("typed.vnt"), Note("-FILENAME:typed.bin\r\n", "QUJD"));
    Click(program, IDC_BTNREAD);
    ChooseFiles(WaitForFileDialog(program, kBrowseDialogTitle), suite.Folder(), {"typed"});
    const std::vector<std::string> expected{suite.Path("typed.vnt")};
    Expect(WaitUntil([&] { return ListedFiles(program) == expected; }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: cancelling the browse dialog leaves the list empty", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {"C:\\old\\one.vnt", "C:\\old\\two.vnt"});
    Click(program, IDC_BTNREAD);
    CancelFileDialog(WaitForFileDialog(program, kBrowseDialogTitle));
    Expect(WaitUntil([&] { return ListedFiles(program).empty(); }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: dropping two files on a list of five leaves exactly the two", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {"C:\\1.vnt", "C:\\2.vnt", "C:\\3.vnt", "C:\\4.vnt", "C:\\5.vnt"});
    const std::vector<std::string> dropped{suite.Path("dropped one.vnt"),
                                           suite.Path("dropped \x95\x5C.dat")};
    DropFiles(program, dropped);
    Expect(WaitUntil([&] { return ListedFiles(program) == dropped; }),
           "file list is " + Joined(ListedFiles(program)));
  });
}

void BatchCases(Suite& suite) {
  suite.Run("batch: an empty list ends at once with the success message", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, messages::kJapanese.all_converted, VK_RETURN);
  });

  suite.Run("batch: three files, the second missing: all attempted, failure message", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("batch1.vnt"), Note("-FILENAME:batch1.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("batch3.vnt"), Note("-FILENAME:batch3.bin\r\n", "R0hJ"));
    SetListedFiles(program, {suite.Path("batch1.vnt"), suite.Path("batch2-missing.vnt"),
                             suite.Path("batch3.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, messages::kJapanese.some_failed, VK_ESCAPE);
    ExpectFile(suite.Path("batch1.bin"), "ABC");
    ExpectFile(suite.Path("batch3.bin"), "GHI");
  });
}

void BlankLineCases(Suite& suite) {
  suite.Run("batch: a line end after the last path adds no entry, a blank line fails", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("blank1.vnt"), Note("-FILENAME:blank1.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("blank2.vnt"), Note("-FILENAME:blank2.bin\r\n", "REVG"));
    SetListText(program, suite.Path("blank1.vnt") + "\r\n");
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, messages::kJapanese.all_converted);
    ExpectFile(suite.Path("blank1.bin"), "ABC");

    SetListText(program, "\r\n" + suite.Path("blank2.vnt"));
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, messages::kJapanese.some_failed);
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
    AnswerMessage(program, messages::kJapanese.no_file_name_key);
    const HWND dialog =
        WaitForFileDialog(program, messages::NameDialogTitle("dims.vnt", /*headerless_hint=*/true));
    suite.Screenshot({program.MainWindow(), dialog}, "name-dialog.bmp");
    ChooseFiles(dialog, suite.Folder(), {"dims-out.bmp"});
    AnswerQuestion(program, messages::kJapanese.add_bitmap_header_question,
                   messages::kJapanese.add_bitmap_header_caption, true);
    AnswerMessage(program, messages::kJapanese.all_converted);

    const std::optional<std::string> output = ReadTestFile(suite.Path("dims-out.bmp"));
    Expect(output && output->size() == 66 + 3, "output is not a 66-byte header and 3 bytes");
    Expect(output->substr(0, 2) == "BM" && output->substr(66) == "ABC",
           "output is not the header followed by the payload");
    Expect(NumberAt(*output, 18) == 132 && NumberAt(*output, 22) == 144,
           "header does not carry width 132 and height 144");
    // The hidden list box held the file, and keeps its payload lines.
    DWORD_PTR kept = 0;
    SendMessageTimeoutA(program.Control(IDC_LISTBOX1), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                        kTimeoutMs, &kept);
    Expect(kept == 2, "line buffer keeps " + std::to_string(kept) + " lines, expected 2");
  });

  suite.Run("prompts: no to overwriting, then cancel, leaves the file untouched", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("ow.vnt"),
                  Note("-FILENAME:ow-existing.bin\r\n-WIDTH:2\r\n-HEIGHT:3\r\n", "QUJD"));
    WriteTestFile(suite.Path("ow-existing.bin"), "keep me");
    SetListedFiles(program, {suite.Path("ow.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, messages::kJapanese.overwrite_question,
                   messages::kJapanese.overwrite_caption, false);
    AnswerMessage(program, messages::kJapanese.no_file_name_key);
    CancelFileDialog(WaitForFileDialog(program, messages::NameDialogTitle("ow.vnt", false)));
    AnswerMessage(program, messages::kJapanese.some_failed);
    ExpectFile(suite.Path("ow-existing.bin"), "keep me");
  });

  suite.Run("prompts: no to overwriting, then a new name, asks for the bitmap header", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {suite.Path("ow.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, messages::kJapanese.overwrite_question,
                   messages::kJapanese.overwrite_caption, false);
    AnswerMessage(program, messages::kJapanese.no_file_name_key);
    ChooseFiles(WaitForFileDialog(program, messages::NameDialogTitle("ow.vnt", false)),
                suite.Folder(), {"ow-new.bin"});
    AnswerQuestion(program, messages::kJapanese.add_bitmap_header_question,
                   messages::kJapanese.add_bitmap_header_caption, false);
    AnswerMessage(program, messages::kJapanese.all_converted);
    ExpectFile(suite.Path("ow-new.bin"), "ABC");
    ExpectFile(suite.Path("ow-existing.bin"), "keep me");

    // The name dialog offers the name chosen last.
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, messages::kJapanese.overwrite_question,
                   messages::kJapanese.overwrite_caption, false);
    AnswerMessage(program, messages::kJapanese.no_file_name_key);
    const HWND dialog = WaitForFileDialog(program, messages::NameDialogTitle("ow.vnt", false));
    const std::string offered = FileNameField(dialog);
    CancelFileDialog(dialog);
    AnswerMessage(program, messages::kJapanese.some_failed);
    Expect(offered == "ow-new.bin", "name dialog offers \"" + Printable(offered) + "\"");
  });

  suite.Run("prompts: yes to overwriting replaces the file without a header", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {suite.Path("ow.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, messages::kJapanese.overwrite_question,
                   messages::kJapanese.overwrite_caption, true);
    AnswerMessage(program, messages::kJapanese.all_converted);
    ExpectFile(suite.Path("ow-existing.bin"), "ABC");
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
      AnswerErrorBox(program, ErrorBoxText(messages::CannotOpenFile(suite.Path("u2.vnt"))));
    }
    ExpectFile(suite.Path("u1.bin"), "ABC");
    ExpectNoFile(suite.Path("u2.bin"));
    ExpectNoFile(suite.Path("u3.bin"));
    // The window still works, and the stopped batch left no closing message:
    // the next dialog is the one of the next run.
    SetListedFiles(program, {suite.Path("nobase.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, NotConvertible("nobase.vnt"));
    AnswerMessage(program, messages::kJapanese.some_failed);
  });

  suite.Run("window: the exit menu item ends the program", [&] {
    RemoteProgram& program = suite.Window();
    PostMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(IDM_MNUEXIT, 0), 0);
    Expect(program.WaitForExit() == 0, "exit code is not 0");
    suite.EndWindow();
  });
}

std::string CreateWorkFolder() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder =
      std::string(temp) + "marrowpin-wine-" + std::to_string(GetCurrentProcessId());
  if (!CreateDirectoryA(folder.c_str(), nullptr)) throw TestFailure("cannot create " + folder);
  return folder;
}

}  // namespace
}  // namespace marrowpin::wine_tests

int main(int argc, char** argv) {
  using namespace marrowpin::wine_tests;
  if (argc != 3) {
    std::fprintf(stderr, "usage: marrowpin-wine-driver MARROWPIN_EXE SCREENSHOT_FOLDER\n");
    return 2;
  }
  try {
    Suite suite(argv[1], argv[2], CreateWorkFolder());
    CommandLineCases(suite);
    FileListCases(suite);
    BatchCases(suite);
    BlankLineCases(suite);
    PromptCases(suite);
    FailureCases(suite);
    return suite.Finish();
  } catch (const std::exception& e) {
    std::printf("FAIL driver: %s\n0 passed, 1 failed\n", e.what());
    return 1;
  }
}
