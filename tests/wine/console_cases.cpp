// The console program in a console of the driver's own, whose output code
// page is the system's ANSI code page (932, 1252 or 65001 by the run): the
// names and texts it writes are read back from the console's cells as
// characters and must be exactly what it meant; written to a file, they are
// UTF-8. Its language follows the user's language for the system's texts
// unless a locale variable names one.

#include <string>
#include <vector>

#include "cases.h"
#include "console_program.h"
#include "support/golden_texts.h"
#include "test_files.h"
#include "unicode_text.h"

namespace marrowpin::wine_tests {

namespace {

// Wide enough that no line of a run wraps.
constexpr SHORT kColumns = 512;
constexpr SHORT kRows = 64;

// A console of the driver's own while it lives, its output code page the
// system's ANSI code page, its output handle inheritable.
class OwnConsole {
 public:
  OwnConsole() {
    FreeConsole();
    Expect(AllocConsole() != 0, "cannot create a console");
    Expect(SetConsoleOutputCP(GetACP()) != 0, "cannot set the console's code page");
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    output_ =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, OPEN_EXISTING, 0, nullptr);
    Expect(output_ != INVALID_HANDLE_VALUE, "cannot open the console's output");
    Expect(SetConsoleScreenBufferSize(output_, COORD{kColumns, kRows}) != 0,
           "cannot size the console");
  }
  ~OwnConsole() {
    if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
    FreeConsole();
  }
  OwnConsole(const OwnConsole&) = delete;
  OwnConsole& operator=(const OwnConsole&) = delete;

  HANDLE Output() const { return output_; }

  void Clear() {
    DWORD written = 0;
    FillConsoleOutputCharacterW(output_, L' ', DWORD{kColumns} * kRows, COORD{0, 0}, &written);
    SetConsoleCursorPosition(output_, COORD{0, 0});
  }

  // The lines above the cursor, read back as characters, without the blanks
  // at their ends.
  std::vector<std::string> Lines() const {
    CONSOLE_SCREEN_BUFFER_INFO info;
    Expect(GetConsoleScreenBufferInfo(output_, &info) != 0, "cannot read the console's cursor");
    std::vector<std::string> lines;
    for (SHORT row = 0; row < info.dwCursorPosition.Y; ++row) {
      std::wstring cells(kColumns, L' ');
      DWORD read = 0;
      ReadConsoleOutputCharacterW(output_, cells.data(), kColumns, COORD{0, row}, &read);
      cells.resize(read);
      cells.erase(cells.find_last_not_of(L' ') + 1);
      lines.push_back(Utf8(cells));
    }
    return lines;
  }

 private:
  HANDLE output_ = INVALID_HANDLE_VALUE;
};

// A new file, for the console program's streams while it lives.
class StreamFile {
 public:
  explicit StreamFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    handle_ = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    Expect(handle_ != INVALID_HANDLE_VALUE, "cannot create " + Printable(path));
  }
  ~StreamFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  StreamFile(const StreamFile&) = delete;
  StreamFile& operator=(const StreamFile&) = delete;

  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A path as the console program prints it: in single quotes, since it holds
// "\" (no path here holds a quote or a control character).
std::string Shown(const std::string& path) {
  return "'" + path + "'";
}

// The system's text for an error code, in the user's language.
std::string SystemText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide(text, length);
  LocalFree(text);
  wide.erase(wide.find_last_not_of(L"\r\n ") + 1);
  return Utf8(wide);
}

bool UserLanguageIsJapanese() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  Expect(actual == expected,
         "the console shows " + Joined(actual) + ", expected " + Joined(expected));
}

}  // namespace

void ConsoleCases(Suite& suite) {
  const std::string folder = suite.Path("console");
  CreateTestFolder(folder);

  suite.Run("console: names and the closing line read back exactly from its console", [&] {
    // "写真.jpg" and "表計算.jpg" as notes name them, in Shift-JIS.
    const std::string japanese_note = folder + "\\写真 メモ.vnt";
    const std::string korean_note = folder + "\\사진 메모.vnt";
    WriteTestFile(japanese_note, Note("-FILENAME:\x8E\xCA\x90\x5E.jpg\r\n", "QUJD"));
    WriteTestFile(korean_note, Note("-FILENAME:\x95\x5C\x8C\x76\x8E\x5A.jpg\r\n", "REVG"));
    const std::vector<std::string> expected = {
        Shown(japanese_note) + " -> " + Shown(folder + "\\写真.jpg"),
        Shown(korean_note) + " -> " + Shown(folder + "\\表計算.jpg"),
        std::string(UserLanguageIsJapanese() ? golden::kAllConverted
                                             : golden::kAllConvertedInEnglish),
    };
    const std::string arguments =
        "--overwrite " + Quoted(japanese_note) + " " + Quoted(korean_note);
    OwnConsole console;
    Expect(RunConsoleProgram(suite, arguments, folder, console.Output()) == 0,
           "exit code is not 0");
    ExpectLines(console.Lines(), expected);
    ExpectFile(folder + "\\写真.jpg", "ABC");
    ExpectFile(folder + "\\表計算.jpg", "DEF");

    // Redirected to a file, the same lines in UTF-8.
    const std::string redirected = folder + "\\stdout.txt";
    Expect(RunConsoleProgram(suite, arguments, folder, StreamFile(redirected).Handle()) == 0,
           "exit code is not 0 with its streams to a file");
    ExpectFile(redirected, expected[0] + "\r\n" + expected[1] + "\r\n" + expected[2] + "\r\n");
  });

  suite.Run("console: LC_ALL, LC_MESSAGES or LANG choose the language over the system's", [&] {
    const std::string note = folder + "\\language.vnt";
    WriteTestFile(note, Note("-FILENAME:language.bin\r\n", "QUJD"));
    const struct {
      std::vector<std::string> variables;
      std::string_view closing_line;
    } cases[] = {
        {{"LANG=ja_JP.UTF-8"}, golden::kAllConverted},
        {{"LC_MESSAGES=ja_JP.UTF-8", "LANG=C"}, golden::kAllConverted},
        {{"LC_ALL=C", "LANG=ja_JP.UTF-8"}, golden::kAllConvertedInEnglish},
        {{"LANG=en_US.UTF-8"}, golden::kAllConvertedInEnglish},
    };
    OwnConsole console;
    for (const auto& c : cases) {
      console.Clear();
      Expect(RunConsoleProgram(suite, "-q --overwrite " + Quoted(note), folder, console.Output(),
                               c.variables) == 0,
             "exit code is not 0");
      ExpectLines(console.Lines(), {std::string(c.closing_line)});
    }
  });

  suite.Run("console: a missing FILE is said with the system's reason", [&] {
    const std::string missing = folder + "\\ない.vnt";
    OwnConsole console;
    Expect(RunConsoleProgram(suite, Quoted(missing), folder, console.Output()) == 1,
           "exit code is not 1");
    const std::vector<std::string> lines = console.Lines();
    const std::string reason = " (" + SystemText(ERROR_FILE_NOT_FOUND) + ")";
    Expect(
        lines.size() == 2 && lines[0].starts_with(Shown(missing) + ": ") &&
            lines[0].ends_with(reason),
        "the console shows " + Joined(lines) + ", expected a line ending in " + Printable(reason));
    Expect(
        lines[1] == (UserLanguageIsJapanese() ? golden::kSomeFailed : golden::kSomeFailedInEnglish),
        "the closing line is " + Printable(lines[1]));

    // Written to a file, in UTF-8; a bare name needs no quotes.
    const std::string redirected = folder + "\\missing.txt";
    Expect(RunConsoleProgram(suite, "missing.vnt", folder, StreamFile(redirected).Handle()) == 1,
           "exit code is not 1 with its streams to a file");
    const std::vector<std::string> written = Lines(ReadTestFile(redirected).value_or(""));
    Expect(
        !written.empty() && written[0].starts_with("missing.vnt: ") && written[0].ends_with(reason),
        "the file holds " + Joined(written) + ", expected a line ending in " + Printable(reason));
  });
}

}  // namespace marrowpin::wine_tests
