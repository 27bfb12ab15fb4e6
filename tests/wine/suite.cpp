#include "suite.h"

#include <shlobj.h>

#include <cstdio>

#include "main/resource_ids.h"
#include "screenshot.h"
#include "test_files.h"
#include "unicode_text.h"

namespace marrowpin::wine_tests {

Suite::Suite(SuiteOptions options, std::string folder)
    : options_(std::move(options)), folder_(std::move(folder)) {}

void Suite::Run(const char* name, const std::function<void()>& test) {
  if (!std::string_view(name).starts_with(options_.only_cases)) return;
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

int Suite::Finish() {
  std::printf("%d passed, %d failed\n", passed_, failed_);
  std::fflush(stdout);
  return failed_ == 0 ? 0 : 1;
}

std::unique_ptr<RemoteProgram> Suite::Start(const std::string& arguments) const {
  return std::make_unique<RemoteProgram>(options_.executable, arguments, folder_);
}

RemoteProgram& Suite::Window() {
  if (!window_) window_ = Start("");
  return *window_;
}

void Suite::Screenshot(const std::vector<HWND>& windows, const std::string& name) const {
  SaveScreenshot(windows, options_.screenshot_folder + "\\" + name);
}

void Expect(bool condition, const std::string& failure) {
  if (!condition) throw TestFailure(failure);
}

void ExpectFile(const std::string& path, const std::string& expected) {
  const std::optional<std::string> actual = ReadTestFile(path);
  Expect(actual.has_value(), "no file " + Printable(path));
  if (*actual == expected) return;
  // Big files are reported by where they part, not by their bytes.
  constexpr std::size_t kShownBytes = 64;
  if (actual->size() <= kShownBytes && expected.size() <= kShownBytes)
    throw TestFailure(Printable(path) + " holds \"" + PrintableBytes(*actual) + "\", expected \"" +
                      PrintableBytes(expected) + "\"");
  std::size_t at = 0;
  while (at < actual->size() && at < expected.size() && (*actual)[at] == expected[at])
    ++at;
  throw TestFailure(Printable(path) + " holds " + std::to_string(actual->size()) +
                    " bytes, expected " + std::to_string(expected.size()) +
                    "; they differ from byte " + std::to_string(at) + " on");
}

void ExpectNoFile(const std::string& path) {
  Expect(!ReadTestFile(path).has_value(), "unexpected file " + Printable(path));
}

std::string Note(const std::string& header_lines, const std::string& payload) {
  return header_lines + "BASE64:" + payload + "\r\nEND:VNOTE\r\n";
}

std::string Quoted(const std::string& argument) {
  return "\"" + argument + "\"";
}

std::string FileNamePart(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
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

std::vector<std::string> ListedFiles(RemoteProgram& program) {
  return Lines(WindowText(program.Control(IDC_FINLIST)));
}

void SetListText(RemoteProgram& program, const std::string& text) {
  ReplaceWindowText(program.Control(IDC_FINLIST), text);
  Expect(WindowText(program.Control(IDC_FINLIST)) == text, "cannot fill the file list");
}

void SetListedFiles(RemoteProgram& program, const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths)
    text += (text.empty() ? "" : "\r\n") + path;
  SetListText(program, text);
}

void Click(RemoteProgram& program, int button_id) {
  PostMessageW(program.Control(button_id), BM_CLICK, 0, 0);
}

// The shell hands over a DROPFILES block of UTF-16 paths, each ended by a
// zero, with one more zero at the end; here it is copied into the program's
// memory and posted with WM_DROPFILES.
void DropFiles(RemoteProgram& program, const std::vector<std::string>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::wstring names;
  for (const std::string& path : paths)
    names += Wide(path) + L'\0';
  names += L'\0';
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
  PostMessageW(program.MainWindow(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(program.CopyIntoProgram(block)), 0);
}

}  // namespace marrowpin::wine_tests
