#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "remote_program.h"

// The suite's runner and the helpers its cases share. Paths and texts are UTF-8.
namespace marrowpin::wine_tests {

struct SuiteOptions {
  std::string executable;
  std::string screenshot_folder;
  // Notes made by the test script, with the console program's output for each.
  std::string reference_folder;
  // A drive ("M:") that the test script maps to an empty folder of its own.
  std::string mapped_drive;
  // Only the cases whose names start with this run; all when it is empty.
  std::string only_cases;
};

class Suite {
 public:
  Suite(SuiteOptions options, std::string folder);

  // Runs one case and reports it in one line.
  void Run(const char* name, const std::function<void()>& test);
  // Prints "N passed, M failed"; the process's exit code.
  int Finish();

  const SuiteOptions& Options() const { return options_; }
  // A path in the suite's own folder, where every case writes its files.
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  const std::string& Folder() const { return folder_; }

  std::unique_ptr<RemoteProgram> Start(const std::string& arguments) const;
  // The program started without arguments, shared by the window's cases.
  RemoteProgram& Window();
  void EndWindow() { window_.reset(); }

  void Screenshot(const std::vector<HWND>& windows, const std::string& name) const;

 private:
  SuiteOptions options_;
  std::string folder_;
  std::unique_ptr<RemoteProgram> window_;
  int passed_ = 0;
  int failed_ = 0;
};

void Expect(bool condition, const std::string& failure);
void ExpectFile(const std::string& path, const std::string& expected);
void ExpectNoFile(const std::string& path);

// A note file whose attachment, given by lines before "BASE64:", is payload.
std::string Note(const std::string& header_lines, const std::string& payload);
// A command-line argument that keeps its blanks.
std::string Quoted(const std::string& argument);
// The name after the last "\" of path.
std::string FileNamePart(const std::string& path);
std::vector<std::string> Lines(const std::string& text);
// Lines joined for a report, in ASCII.
std::string Joined(const std::vector<std::string>& lines);

// The main window's file list and buttons.
std::vector<std::string> ListedFiles(RemoteProgram& program);
void SetListText(RemoteProgram& program, const std::string& text);
void SetListedFiles(RemoteProgram& program, const std::vector<std::string>& paths);
void Click(RemoteProgram& program, int button_id);
// Drops files on the main window as the shell does.
void DropFiles(RemoteProgram& program, const std::vector<std::string>& paths);

}  // namespace marrowpin::wine_tests
