// The Windows name rules: output names that Windows would take for a device
// or a pattern, list lines holding a pattern, sources given from a bare root
// or relative to a drive's current folder, and sources in folders past the
// system's path length limit; the names and the sources also in the Windows
// console program.

#include <algorithm>
#include <string>
#include <vector>

#include "cases.h"
#include "console_program.h"
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

// A folder path of over 300 characters below folder: three folders of 100
// characters each, with Japanese names. The folders are created.
std::string LongFolderPath(const std::string& folder) {
  CreateTestFolder(folder);
  std::string path = folder;
  for (const char* level : {"1", "2", "3"}) {
    path += "\\深い階層のフォルダー" + std::string(89, 'x') + level;
    // Created in the form without a length limit, which every Windows takes.
    CreateTestFolder("\\\\?\\" + path);
  }
  return path;
}

}  // namespace

void NameRuleCases(Suite& suite) {
  suite.Run("name rules: device names and patterns in -FILENAME ask for a name, no overwrite", [&] {
    RemoteProgram& program = suite.Window();
    const std::vector<std::string> notes = UnsafeNameNotes(suite.Path("unsafe names"));
    SetListedFiles(program, notes);
    Click(program, IDC_BUTTON1);
    for (const std::string& note : notes) {
      AnswerMessage(program, golden::kNoteNameRefusedNotice);
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

  suite.Run("name rules: a note under a 300-character folder path converts every way", [&] {
    // The plain path in the window's list; with "." and ".." parts on the
    // command line; with "/" and relative to the current folder for the
    // console program. Each is written beside its note.
    const std::string folder = LongFolderPath(suite.Path("long path"));
    const std::string note = folder + "\\note.vnt";
    const std::string literal = "\\\\?\\" + folder;
    WriteTestFile(literal + "\\note.vnt", Note("-FILENAME:long.bin\r\n", "QUJD"));
    RemoteProgram& window = suite.Window();
    SetListedFiles(window, {note});
    Click(window, IDC_BUTTON1);
    AnswerMessage(window, golden::kAllConverted);
    ExpectFile(literal + "\\long.bin", "ABC");

    WriteTestFile(literal + "\\note.vnt", Note("-FILENAME:long.bin\r\n", "REVG"));
    const std::string last_folder = FileNamePart(folder);
    const auto program = suite.Start(Quoted(folder + "\\.\\..\\" + last_folder + "\\note.vnt"));
    AnswerQuestion(*program,
                   golden::OverwriteQuestion(folder + "\\.\\..\\" + last_folder + "\\long.bin"),
                   golden::kOverwriteCaption, true);
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectFile(literal + "\\long.bin", "DEF");

    WriteTestFile(literal + "\\note.vnt", Note("-FILENAME:long.bin\r\n", "R0hJ"));
    std::string relative = folder.substr(suite.Folder().size() + 1) + "\\note.vnt";
    std::replace(relative.begin(), relative.end(), '\\', '/');
    Expect(RunConsoleProgram(suite, "--overwrite " + Quoted(relative), suite.Folder()) == 0,
           "the console program did not convert the note");
    ExpectFile(literal + "\\long.bin", "GHI");
  });
}

}  // namespace marrowpin::wine_tests
