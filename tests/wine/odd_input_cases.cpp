// Sources whose bytes the window must keep exactly: odd bytes in lines, long
// payload lines, and sources of many lines, with the times those take.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "cases.h"
#include "test_files.h"

namespace marrowpin::wine_tests {

namespace {

// Bytes that look random, the same in every run.
std::string PseudoRandomBytes(std::size_t count) {
  std::string bytes(count, '\0');
  std::uint32_t state = 0x2545F491;
  for (char& byte : bytes) {
    state = state * 1664525 + 1013904223;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

std::string Base64(const std::string& bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16 |
                                static_cast<unsigned char>(bytes[i + 1]) << 8 |
                                static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6)
      text.push_back(kAlphabet[group >> shift & 63]);
  }
  return text;
}

// A note whose payload is one line of characters base64 characters, and the
// bytes that line stands for.
struct LongLineNote {
  std::string note;
  std::string payload;
};
LongLineNote NoteWithOneLine(const std::string& output_name, std::size_t characters) {
  LongLineNote made;
  made.payload = PseudoRandomBytes(characters / 4 * 3);
  made.note =
      "-FILENAME:" + output_name + "\r\nBASE64:\r\n" + Base64(made.payload) + "\r\nEND:VNOTE\r\n";
  return made;
}

void ExpectLongLineConverted(Suite& suite, std::size_t characters) {
  const std::string name = "line-" + std::to_string(characters);
  const LongLineNote made = NoteWithOneLine(name + ".bin", characters);
  WriteTestFile(suite.Path(name + ".vnt"), made.note);
  const auto program = suite.Start(Quoted(suite.Path(name + ".vnt")));
  Expect(program->WaitForExit(60000) == 0, "exit code is not 0");
  ExpectFile(suite.Path(name + ".bin"), made.payload);
}

// Seconds the program takes to convert the source given on its command line.
double SecondsToConvert(Suite& suite, const std::string& source) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const auto program = suite.Start(Quoted(source));
  Expect(program->WaitForExit(120000) == 0, "exit code is not 0");
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

}  // namespace

void OddInputCases(Suite& suite) {
  suite.Run("odd bytes: lone lead bytes and odd bytes convert as the console program does", [&] {
    // Made by the test script, which also ran the console program on it.
    const std::string reference = suite.Options().reference_folder + "\\odd-bytes.vnt";
    const std::optional<std::string> note = ReadTestFile(reference);
    const std::optional<std::string> output =
        ReadTestFile(suite.Options().reference_folder + "\\odd-bytes.bin");
    Expect(note && output, "the reference note or the console program's output is missing");
    WriteTestFile(suite.Path("odd-bytes.vnt"), *note);
    const auto program = suite.Start("odd-bytes.vnt");
    Expect(program->WaitForExit() == 0, "exit code is not 0");
    ExpectFile(suite.Path("odd-bytes.bin"), *output);
  });

  suite.Run("long lines: payload lines of 600 and 7,600 characters convert whole", [&] {
    ExpectLongLineConverted(suite, 600);
    ExpectLongLineConverted(suite, 7600);
  });
}

void LargeInputCases(Suite& suite) {
  suite.Run("long lines: a payload line of 1 MiB characters converts whole",
            [&] { ExpectLongLineConverted(suite, std::size_t{1} << 20); });

  suite.Run("many lines: a 400,000-line header and a 400,000-line payload convert", [&] {
    constexpr int kLines = 400000;
    std::string header = "-FILENAME:long-header.bin\r\n";
    std::string payload = "-FILENAME:long-payload.bin\r\nBASE64:\r\n";
    std::string decoded;
    for (int i = 0; i < kLines; ++i) {
      header += "X-PADDING:0123456789\r\n";
      payload += "QUJDREVGR0hJSktMTU5P\r\n";
      decoded += "ABCDEFGHIJKLMNO";
    }
    header += "BASE64:QUJD\r\nEND:VNOTE\r\n";
    payload += "END:VNOTE\r\n";
    WriteTestFile(suite.Path("long-header.vnt"), header);
    WriteTestFile(suite.Path("long-payload.vnt"), payload);

    // Reported, not judged: the machine's speed varies too much for a limit.
    const double header_seconds = SecondsToConvert(suite, suite.Path("long-header.vnt"));
    const double payload_seconds = SecondsToConvert(suite, suite.Path("long-payload.vnt"));
    std::printf("time %d-line header: %.2f s, %d-line payload: %.2f s\n", kLines, header_seconds,
                kLines, payload_seconds);
    ExpectFile(suite.Path("long-header.bin"), "ABC");
    ExpectFile(suite.Path("long-payload.bin"), decoded);
  });
}

}  // namespace marrowpin::wine_tests
