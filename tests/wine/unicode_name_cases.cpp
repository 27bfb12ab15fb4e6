// Names beyond ASCII: the Shift-JIS names a note gives, and folders and files
// with Japanese names (code page 932 spells them) and Korean ones (it cannot),
// through the command line, a drop, the browse dialog and the name dialog.

#include <string>
#include <vector>

#include "cases.h"
#include "dialogs.h"
#include "main/resource_ids.h"
#include "support/golden_texts.h"
#include "test_files.h"

namespace marrowpin::wine_tests {

namespace {

// "写真.jpg" and "表計算.jpg" as a note spells them, in Shift-JIS: the second
// byte of "表" is "\", which must not split the name.
struct NoteName {
  const char* shift_jis;
  const char* unicode;
};
constexpr NoteName kNoteNames[] = {
    {"\x8E\xCA\x90\x5E.jpg", "写真.jpg"},
    {"\x95\x5C\x8C\x76\x8E\x5A.jpg", "表計算.jpg"},
};

// A folder and a source file in it, by name.
struct NamedSource {
  const char* folder;
  const char* file;
};
constexpr NamedSource kNamedSources[] = {
    {"メモ 花見", "写真 表.vnt"},
    {"한글 폴더", "사진 메모.vnt"},
};

// The path of source below the subfolder area of the suite's folder; each
// case has its own area. The folders are created, the file is not.
std::string NamedSourcePath(Suite& suite, const std::string& area, const NamedSource& source) {
  CreateTestFolder(suite.Path(area));
  const std::string folder = suite.Path(area + "\\" + source.folder);
  CreateTestFolder(folder);
  return folder + "\\" + source.file;
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind('\\'));
}

}  // namespace

void UnicodeNameCases(Suite& suite) {
  suite.Run("names: a note's Shift-JIS -FILENAME is written under its Unicode name", [&] {
    int number = 0;
    for (const NoteName& name : kNoteNames) {
      // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on the one-line sum.
      std::string file_name = "sjis-name-";
      file_name += std::to_string(++number);
      file_name += ".vnt";
      const std::string note = suite.Path(file_name);
      WriteTestFile(note, Note(std::string("-FILENAME:") + name.shift_jis + "\r\n", "QUJD"));
      const auto program = suite.Start(Quoted(note));
      Expect(program->WaitForExit() == 0, "exit code is not 0");
      ExpectFile(suite.Path(name.unicode), "ABC");
    }
  });

  suite.Run("names: Japanese and Korean folders and files on the command line", [&] {
    for (const NamedSource& source : kNamedSources) {
      const std::string note = NamedSourcePath(suite, "command line", source);
      WriteTestFile(note,
                    Note(std::string("-FILENAME:") + kNoteNames[0].shift_jis + "\r\n", "REVG"));
      const auto program = suite.Start(Quoted(note));
      Expect(program->WaitForExit() == 0, "exit code is not 0");
      ExpectFile(FolderOf(note) + "\\" + kNoteNames[0].unicode, "DEF");
    }
  });

  suite.Run("names: the messages show Japanese and Korean names as they are", [&] {
    for (const NamedSource& source : kNamedSources) {
      const std::string note = NamedSourcePath(suite, "messages", source);
      WriteTestFile(note, "-FILENAME:never.bin\r\nno payload\r\n");
      auto program = suite.Start(Quoted(note));
      AnswerMessage(*program, golden::NotConvertible(source.file));
      Expect(program->WaitForExit() == 0, "exit code is not 0");

      WriteTestFile(note, Note("-FILENAME:never.bin\r\n", "QUJD"));
      const FileLock lock(note);
      program = suite.Start(Quoted(note));
      AnswerErrorBox(*program, golden::CannotOpenFile(note));
      Expect(program->WaitForExit() == 0, "exit code is not 0");
      ExpectNoFile(FolderOf(note) + "\\never.bin");
    }
  });

  suite.Run("names: the name dialog names the source and takes a name of any script", [&] {
    const std::string output_name = "결과 出力.bin";
    for (const NamedSource& source : kNamedSources) {
      const std::string note = NamedSourcePath(suite, "name dialog", source);
      WriteTestFile(note, Note("", "R0hJ"));
      const auto program = suite.Start(Quoted(note));
      AnswerMessage(*program, golden::kNoFileNameKey);
      ChooseFiles(WaitForFileDialog(*program, golden::NameDialogTitle(source.file, false)),
                  FolderOf(note), {output_name});
      Expect(program->WaitForExit() == 0, "exit code is not 0");
      ExpectFile(FolderOf(note) + "\\" + output_name, "GHI");
    }
  });

  suite.Run("names: dropped Japanese and Korean paths are listed and converted", [&] {
    RemoteProgram& program = suite.Window();
    std::vector<std::string> dropped;
    for (const NamedSource& source : kNamedSources) {
      dropped.push_back(NamedSourcePath(suite, "drop", source));
      WriteTestFile(dropped.back(), Note("-FILENAME:dropped.bin\r\n", "QUJD"));
    }
    DropFiles(program, dropped);
    Expect(WaitUntil([&] { return ListedFiles(program) == dropped; }),
           "file list is " + Joined(ListedFiles(program)));
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, golden::kAllConverted);
    for (const std::string& note : dropped)
      ExpectFile(FolderOf(note) + "\\dropped.bin", "ABC");
  });

  suite.Run("names: Japanese and Korean files browsed in a Korean folder are converted", [&] {
    RemoteProgram& program = suite.Window();
    const std::string folder = FolderOf(NamedSourcePath(suite, "browse", kNamedSources[1]));
    std::vector<std::string> names, expected_list;
    for (const NamedSource& source : kNamedSources) {
      names.push_back(source.file);
      expected_list.push_back(folder + "\\" + source.file);
      WriteTestFile(expected_list.back(),
                    Note("-FILENAME:browsed " + std::to_string(names.size()) + ".bin\r\n", "REVG"));
    }
    Click(program, IDC_BTNREAD);
    ChooseFiles(WaitForFileDialog(program, golden::kBrowseDialogTitle), folder, names);
    Expect(WaitUntil([&] { return ListedFiles(program) == expected_list; }),
           "file list is " + Joined(ListedFiles(program)));
    Click(program, IDC_BUTTON1);
    AnswerMessage(program, golden::kAllConverted);
    ExpectFile(folder + "\\browsed 1.bin", "DEF");
    ExpectFile(folder + "\\browsed 2.bin", "DEF");
  });
}

}  // namespace marrowpin::wine_tests
