#include "core/output_name_rules.h"

#include <gtest/gtest.h>

namespace marrowpin {
namespace {

constexpr PathStyle kWin = PathStyle::kWindowsUtf8;
constexpr PathStyle kPosix = PathStyle::kPosix;
constexpr NameSpelling kNote = NameSpelling::kNote;
constexpr NameSpelling kPath = NameSpelling::kPath;

TEST(UnsafeOutputNameTest, NamesThatStayInTheFolderAreSafe) {
  for (PathStyle style : {kWin, kPosix}) {
    for (NameSpelling spelling : {kNote, kPath}) {
      for (const char* name :
           {"pic.bmp", "sub\\pic.bmp", "sub/pic.bmp", " pic.bmp",   "a..b",
            "..pic",   "...",          "CONSOLE.txt", "COM0",       "LPT10",
            "NULL",    "CON-1",        "AUX_",        "CONIN",      "CONOUT$$",
            " CON",    "COM1x.txt",    "pic.bmp.",    "pic.bmp ",   "a$",
            "a&b;c'd", "写真.jpg",     "予/x.bin",    ".marrowpin", "x.marrowpin-a"}) {
        EXPECT_FALSE(IsUnsafeOutputName(name, spelling, style)) << name;
      }
    }
  }
  // "|" and "\" as the second byte of a Shift-JIS character are part of it.
  for (const char* name : {"\x83\x7C.bmp", "\x83\x7C\x83\x7C", "\x95\\..x"}) {
    EXPECT_FALSE(IsUnsafeOutputName(name, kNote, kWin)) << name;
  }
}

TEST(UnsafeOutputNameTest, NamesThatEscapeOrHoldControlsAreUnsafe) {
  for (PathStyle style : {kWin, kPosix}) {
    for (NameSpelling spelling : {kNote, kPath}) {
      for (const char* name :
           {"\\pic.bmp", "/etc/passwd", "C:pic.bmp", "C:\\pic.bmp", "pic.bmp:stream", "..",
            "..\\pic.bmp", "../pic.bmp", "sub\\..\\..\\pic.bmp", "sub/..", "a/../../b",
            // Control characters: C0, DEL, a terminal's escape sequence.
            "pic\tx", "pic\x1f", "\x01", "a\x7f", "x\x1b]0;PWNED\x07\x1b[2J", "\x81\x01",
            // The program's own temporary files.
            ".marrowpin-abc123", "sub/.marrowpin-x"}) {
        EXPECT_TRUE(IsUnsafeOutputName(name, spelling, style)) << name;
      }
    }
  }
}

// As the path spells it, a name is judged byte by byte: a separator that the
// Shift-JIS reading hides in a character still splits it, and the C1
// controls count, whether as UTF-8 or as bytes that start no character.
TEST(UnsafeOutputNameTest, ThePathsSpellingSeesWhatTheNotesHides) {
  for (PathStyle style : {kWin, kPosix}) {
    for (const char* name : {"予/../x", "十/..",
                             "x\xC2\x9B"
                             "2J",
                             "x\x9B"
                             "2J",
                             "\x80"}) {
      EXPECT_FALSE(IsUnsafeOutputName(name, kNote, style)) << name;
      EXPECT_TRUE(IsUnsafeOutputName(name, kPath, style)) << name;
    }
  }
}

// On Windows these open a device, match other files or cannot be created at
// all; on POSIX they are ordinary names.
TEST(UnsafeOutputNameTest, DevicesWildcardsAndRefusedCharactersAreUnsafeOnWindowsOnly) {
  for (NameSpelling spelling : {kNote, kPath}) {
    for (const char* name :
         {"CON",       "con.bmp",     "Prn",          "AUX.txt",    "nul",      "COM1",
          "com9.dat",  "LPT1",        "sub\\NUL.bmp", "sub/aux",    "NUL ",     "nul .bmp",
          "COM1 .txt", "CON.",        "CON..",        "lpt3  .a.b", "NUL.bmp ", "NUL.bmp.",
          "CONIN$",    "conout$.txt", "CLOCK$",       "Clock$ .x",  "*.bin",    "s?.vnt",
          "a<b",       "a>b",         "a|b",          "\"pic\"",    "sub\\p*"}) {
      EXPECT_TRUE(IsUnsafeOutputName(name, spelling, kWin)) << name;
      EXPECT_FALSE(IsUnsafeOutputName(name, spelling, kPosix)) << name;
    }
  }
  for (const char* name : {"\x83\x7C|", "\x83\x7C*", "\x81*"}) {
    EXPECT_TRUE(IsUnsafeOutputName(name, kNote, kWin)) << name;
  }
}

}  // namespace
}  // namespace marrowpin
