// The Windows name rules: output names that Windows would take for a device
// or a pattern, list lines holding a pattern, and sources given from a bare
// root or relative to a drive's current folder; the names and the sources
// also in the Windows console program.

#include <string>
#include <vector>

#include "cases.h"
#include "dialogs.h"
#include "main/resource_ids.h"
#include "support/golden_texts.h"
#include "test_files.h"
#include "unicode_text.h"

namespace marrowpin::wine_tests {

namespace {

// Names a note may give that write no file of that name: devices, with
// blanks before or after the extension, and a pattern.
constexpr const char* kUnsafeNames[] = {"NUL ", "nul .bmp", "COM1 .txt", "CONIN$", "*.bin"};

// Writes one note per unsafe name, each in a numbered folder of its own below
// folder, beside an existing .bin that a pattern would match; returns the
// notes' paths.
std::vector<std::string> UnsafeNameNotes(const std::string& folder) {
  CreateTestFolder(folder);
  std::vector<std::string> notes;
  for (const char* name : kUnsafeNames) {
    const std::string own_folder = folder + "\\" + std::to_string(notes.size() + 1);
    CreateTestFolder(own_folder);
    WriteTestFile(own_folder + "\\existing.bin", "keep me");
    notes.push_back(own_folder + "\\unsafe.vnt");
    WriteTestFile(notes.back(), Note(std::string("-FILENAME:") + name + "\r\n", "QUJD"));
  }
  return notes;
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind('\\'));
}

// The test's own drive (a folder of the test script's, empty at the start of
// each run) with a note in its root and one in the folder sub, which serves
// as the current folder. Each note names output as stem.bin.
struct DriveNotes {
  std::string root;        // "M:\"
  std::string sub;         // "M:\sub"
  std::string root_note;   // "\stem-root.vnt"
  std::string drive_note;  // "M:stem-drive.vnt", in sub
};
DriveNotes NotesOnDrive(Suite& suite, const std::string& stem) {
  const std::string& drive = suite.Options().mapped_drive;
  const DriveNotes notes{drive + "\\", drive + "\\sub", "\\" + stem + "-root.vnt",
                         drive + stem + "-drive.vnt"};
  CreateTestFolder(notes.sub);
  WriteTestFile(notes.root + stem + "-root.vnt",
                Note("-FILENAME:" + stem + "-root.bin\r\n", "QUJD"));
  WriteTestFile(notes.sub + "\\" + stem + "-drive.vnt",
                Note("-FILENAME:" + stem + "-drive.bin\r\n", "REVG"));
  return notes;
}

void ExpectWrittenBeside(const DriveNotes& notes, const std::string& stem) {
  ExpectFile(notes.root + stem + "-root.bin", "ABC");
  ExpectFile(notes.sub + "\\" + stem + "-drive.bin", "DEF");
  ExpectNoFile(notes.root + stem + "-drive.bin");
}

// Runs the console program beside the program under test, its output
// discarded and its messages written to the file errors (discarded too when
// empty); returns its exit code.
DWORD RunConsoleProgram(Suite& suite, const std::string& arguments, const std::string& folder,
                        const std::string& errors = {}) {
  const std::string& window_program = suite.Options().executable;
  const std::string executable =
      window_program.substr(0, window_program.rfind('\\')) + "\\marrowpin-cli.exe";
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  const HANDLE discard =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
  const HANDLE error_file = errors.empty()
                                ? discard
                                : CreateFileW(Wide(errors).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                              &inherited, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = discard;
  startup.hStdError = error_file;
  std::wstring command_line = Wide(Quoted(executable) + " " + arguments);
  PROCESS_INFORMATION process{};
  const bool started =
      CreateProcessW(Wide(executable).c_str(), command_line.data(), nullptr, nullptr, TRUE, 0,
                     nullptr, Wide(folder).c_str(), &startup, &process);
  CloseHandle(discard);
  if (error_file != discard) CloseHandle(error_file);
  Expect(started, "cannot start " + Printable(executable));
  const bool ended = WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Expect(ended, "the console program did not end");
  return code;
}

}  // namespace

void NameRuleCases(Suite& suite) {
  suite.Run("name rules: device names and patterns in -FILENAME ask for a name, no overwrite", [&] {
    RemoteProgram& program = suite.Window();
    const std::vector<std::string> notes = UnsafeNameNotes(suite.Path("unsafe names"));
    SetListedFiles(program, notes);
    Click(program, IDC_BUTTON1);
    for (const std::string& note : notes) {
      AnswerMessage(program, golden::kNoFileNameKey);
      CancelFileDialog(
          WaitForFileDialog(program, golden::NameDialogTitle(FileNamePart(note), false)));
    }
    AnswerMessage(program, golden::SomeFailed(notes));
    for (const std::string& note : notes)
      ExpectFile(FolderOf(note) + "\\existing.bin", "keep me");
  });

  suite.Run("name rules: a list line with a pattern fails quietly, the batch goes on", [&] {
    RemoteProgram& program = suite.Window();
    const std::string folder = suite.Path("pattern line");
    CreateTestFolder(folder);
    WriteTestFile(folder + "\\s1.vnt", Note("-FILENAME:s1.bin\r\n", "QUJD"));
    WriteTestFile(folder + "\\after.vnt", Note("-FILENAME:after.bin\r\n", "REVG"));
    SetListedFiles(program, {folder + "\\s*.vnt", folder + "\\after.vnt"});
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, golden::SomeFailed({folder + "\\s*.vnt"}));
    ExpectNoFile(folder + "\\s1.bin");
    ExpectFile(folder + "\\after.bin", "DEF");
  });

  suite.Run("name rules: sources from a bare root or a drive's folder write beside them", [&] {
    const DriveNotes notes = NotesOnDrive(suite, "window");
    for (const std::string& source : {notes.root_note, notes.drive_note}) {
      RemoteProgram program(suite.Options().executable, source, notes.sub);
      Expect(program.WaitForExit() == 0, "exit code is not 0");
    }
    ExpectWrittenBeside(notes, "window");
  });

  suite.Run("name rules: the console program follows them too", [&] {
    const DriveNotes notes = NotesOnDrive(suite, "console");
    std::string sources = notes.root_note + " " + notes.drive_note;
    // With yes to overwriting, only a name taken as unsafe reaches the name
    // question, which --name answers.
    const std::vector<std::string> unsafe = UnsafeNameNotes(suite.Path("console unsafe"));
    for (const std::string& note : unsafe)
      sources.append(" ").append(Quoted(note));
    Expect(RunConsoleProgram(suite, "--overwrite --name=named.bin " + sources, notes.sub) == 0,
           "the console program did not convert every note");
    ExpectWrittenBeside(notes, "console");
    for (const std::string& note : unsafe) {
      ExpectFile(FolderOf(note) + "\\named.bin", "ABC");
      ExpectFile(FolderOf(note) + "\\existing.bin", "keep me");
    }
  });

  suite.Run("console program: a missing FILE gives the system's reason", [&] {
    const std::string folder = suite.Path("console missing");
    CreateTestFolder(folder);
    const std::string errors = folder + "\\errors.txt";
    Expect(RunConsoleProgram(suite, "missing.vnt", folder, errors) == 1, "exit code is not 1");
    // "missing.vnt: TEXT (REASON)" in the language of the locale.
    std::string line = ReadTestFile(errors).value_or("");
    while (line.ends_with('\n') || line.ends_with('\r'))
      line.pop_back();
    const std::size_t reason = line.find(" (");
    Expect(line.starts_with("missing.vnt: ") && reason != std::string::npos &&
               line.size() > reason + 3 && line.ends_with(")"),
           "no reason in " + Printable(line));
  });
}

}  // namespace marrowpin::wine_tests
