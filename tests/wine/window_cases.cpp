// The program's behaviour as a user meets it: the command-line mode, the file
// list, the batch, every question and message, and the failures.

#include <cstdlib>

#include "cases.h"
#include "dialogs.h"
#include "expected_texts.h"
#include "main/resource_ids.h"
#include "suite.h"
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
    RECT bounds;
    GetWindowRect(program->WaitForDialog(), &bounds);
    Expect(bounds.right - bounds.left <= GetSystemMetrics(SM_CXSCREEN) / 2 + 64,
           "message window is wider than half the screen");
    AnswerMessage(*program, expected::NotConvertible(name));
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
    AnswerMessage(*program, expected::kNoFileNameKey);
    ChooseFiles(WaitForFileDialog(*program, expected::NameDialogTitle("bare.vnt", false)),
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
    AnswerErrorBox(*program, expected::CannotOpenFileError(note));
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectNoFile(suite.Path("cl-locked.bin"));
  });
}

void FileListCases(Suite& suite) {
  suite.Run("window: the file list is empty when shown, and the window takes drops", [&] {
    RemoteProgram& program = suite.Window();
    Expect(ListedFiles(program).empty(), "file list is not empty");
    Expect((GetWindowLongW(program.MainWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0,
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
    SetListedFiles(program, {std::begin(expected::kSamplePaths), std::end(expected::kSamplePaths)});
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
    ChooseFiles(WaitForFileDialog(program, expected::kBrowseDialogTitle), suite.Folder(),
                {"b.vnt", "a.dat"});
    const std::vector<std::string> expected{suite.Path("b.vnt"), suite.Path("a.dat")};
    Expect(WaitUntil([&] { return ListedFiles(program) == expected; }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: a name typed without extension gets .vnt", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("typed.vnt"), Note("-FILENAME:typed.bin\r\n", "QUJD"));
    Click(program, IDC_BTNREAD);
    ChooseFiles(WaitForFileDialog(program, expected::kBrowseDialogTitle), suite.Folder(),
                {"typed"});
    const std::vector<std::string> expected{suite.Path("typed.vnt")};
    Expect(WaitUntil([&] { return ListedFiles(program) == expected; }),
           "file list is " + Joined(ListedFiles(program)));
  });

  suite.Run("window: cancelling the browse dialog leaves the list empty", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {"C:\\old\\one.vnt", "C:\\old\\two.vnt"});
    Click(program, IDC_BTNREAD);
    CancelFileDialog(WaitForFileDialog(program, expected::kBrowseDialogTitle));
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
}

void BatchCases(Suite& suite) {
  suite.Run("batch: an empty list ends at once with the success message", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, expected::kAllConverted, VK_RETURN);
  });

  suite.Run("batch: three files, the second missing: all attempted, failure message", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("batch1.vnt"), Note("-FILENAME:batch1.bin\r\n", "QUJD"));
    WriteTestFile(suite.Path("batch3.vnt"), Note("-FILENAME:batch3.bin\r\n", "R0hJ"));
    SetListedFiles(program, {suite.Path("batch1.vnt"), suite.Path("batch2-missing.vnt"),
                             suite.Path("batch3.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, expected::kSomeFailed, VK_ESCAPE);
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
    AnswerMessage(program, expected::kAllConverted);
    ExpectFile(suite.Path("blank1.bin"), "ABC");

    SetListText(program, "\r\n" + suite.Path("blank2.vnt"));
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, expected::kSomeFailed);
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
    AnswerMessage(program, expected::kNoFileNameKey);
    const HWND dialog =
        WaitForFileDialog(program, expected::NameDialogTitle("dims.vnt", /*headerless_hint=*/true));
    suite.Screenshot({program.MainWindow(), dialog}, "name-dialog.bmp");
    ChooseFiles(dialog, suite.Folder(), {"dims-out.bmp"});
    suite.Screenshot({program.WaitForDialog()}, "question.bmp");
    AnswerQuestion(program, expected::kAddBitmapHeaderQuestion, expected::kAddBitmapHeaderCaption,
                   true);
    AnswerMessage(program, expected::kAllConverted);

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

  suite.Run("prompts: no to overwriting, then cancel, leaves the file untouched", [&] {
    RemoteProgram& program = suite.Window();
    WriteTestFile(suite.Path("ow.vnt"),
                  Note("-FILENAME:ow-existing.bin\r\n-WIDTH:2\r\n-HEIGHT:3\r\n", "QUJD"));
    WriteTestFile(suite.Path("ow-existing.bin"), "keep me");
    SetListedFiles(program, {suite.Path("ow.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, expected::kOverwriteQuestion, expected::kOverwriteCaption, false);
    AnswerMessage(program, expected::kNoFileNameKey);
    CancelFileDialog(WaitForFileDialog(program, expected::NameDialogTitle("ow.vnt", false)));
    AnswerMessage(program, expected::kSomeFailed);
    ExpectFile(suite.Path("ow-existing.bin"), "keep me");
  });

  suite.Run("prompts: no to overwriting, then a new name, asks for the bitmap header", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {suite.Path("ow.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, expected::kOverwriteQuestion, expected::kOverwriteCaption, false);
    AnswerMessage(program, expected::kNoFileNameKey);
    ChooseFiles(WaitForFileDialog(program, expected::NameDialogTitle("ow.vnt", false)),
                suite.Folder(), {"ow-new.bin"});
    AnswerQuestion(program, expected::kAddBitmapHeaderQuestion, expected::kAddBitmapHeaderCaption,
                   false);
    AnswerMessage(program, expected::kAllConverted);
    ExpectFile(suite.Path("ow-new.bin"), "ABC");
    ExpectFile(suite.Path("ow-existing.bin"), "keep me");

    // The name dialog offers the name chosen last.
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, expected::kOverwriteQuestion, expected::kOverwriteCaption, false);
    AnswerMessage(program, expected::kNoFileNameKey);
    const HWND dialog = WaitForFileDialog(program, expected::NameDialogTitle("ow.vnt", false));
    const std::string offered = FileNameField(dialog);
    CancelFileDialog(dialog);
    AnswerMessage(program, expected::kSomeFailed);
    Expect(offered == "ow-new.bin", "name dialog offers \"" + Printable(offered) + "\"");
  });

  suite.Run("prompts: yes to overwriting replaces the file without a header", [&] {
    RemoteProgram& program = suite.Window();
    SetListedFiles(program, {suite.Path("ow.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerQuestion(program, expected::kOverwriteQuestion, expected::kOverwriteCaption, true);
    AnswerMessage(program, expected::kAllConverted);
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
      AnswerErrorBox(program, expected::CannotOpenFileError(suite.Path("u2.vnt")));
    }
    ExpectFile(suite.Path("u1.bin"), "ABC");
    ExpectNoFile(suite.Path("u2.bin"));
    ExpectNoFile(suite.Path("u3.bin"));
    // The window still works, and the stopped batch left no closing message:
    // the next dialog is the one of the next run.
    SetListedFiles(program, {suite.Path("nobase.vnt")});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, expected::NotConvertible("nobase.vnt"));
    AnswerMessage(program, expected::kSomeFailed);
  });

  suite.Run("window: the exit menu item ends the program", [&] {
    RemoteProgram& program = suite.Window();
    PostMessageW(program.MainWindow(), WM_COMMAND, MAKEWPARAM(IDM_MNUEXIT, 0), 0);
    Expect(program.WaitForExit() == 0, "exit code is not 0");
    suite.EndWindow();
  });
}

}  // namespace marrowpin::wine_tests
