#include "core/paths.h"

#include <gtest/gtest.h>

namespace marrowpin {
namespace {

constexpr PathStyle kWin = PathStyle::kWindowsUtf8;
constexpr PathStyle kPosix = PathStyle::kPosix;
constexpr NameSpelling kNote = NameSpelling::kNote;
constexpr NameSpelling kPath = NameSpelling::kPath;

TEST(WindowsPathsTest, SplitAtEveryBackslashSlashAndColon) {
  const struct {
    const char* path;
    const char* file_name;
    const char* folder;  // with its separator
  } cases[] = {
      {"C:\\notes\\a.vnt", "a.vnt", "C:\\notes\\"},
      {"C:/notes/a.vnt", "a.vnt", "C:/notes/"},
      {"C:a.vnt", "a.vnt", "C:"},
      {"a.vnt", "a.vnt", ""},
      // UTF-8 "あ" ends in 0x82, a Shift-JIS lead byte before the "\".
      {"C:\\あ\\b.vnt", "b.vnt", "C:\\あ\\"},
      {"C:\\メモ\\旅行 2026\\駅.vnt", "駅.vnt", "C:\\メモ\\旅行 2026\\"},
      {"D:\\사진\\메모.vnt", "메모.vnt", "D:\\사진\\"},
      {"C:\\\xF0\x9F\x93\xB7\\a.vnt", "a.vnt", "C:\\\xF0\x9F\x93\xB7\\"},
      {"C:\\あ.vnt", "あ.vnt", "C:\\"},
      {"C:あ.vnt", "あ.vnt", "C:"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamePart(c.path, kWin), c.file_name) << c.path;
    EXPECT_EQ(FolderWithSeparator(c.path, kWin), c.folder) << c.path;
  }
}

// The output goes into the source's folder as written, to which its name is
// joined; likewise into a folder given for the outputs.
TEST(WindowsPathsTest, OutputGoesBesideTheSource) {
  struct Case {
    const char* source;
    const char* folder;
  };
  for (const Case& c : {
           Case{"C:\\notes\\a.vnt", "C:\\notes\\"},
           // A root keeps its one separator; "\\pic.bin" would be a network path.
           Case{"C:\\a.vnt", "C:\\"},
           Case{"\\a.vnt", "\\"},
           // Drive-relative: beside the source in that drive's current folder.
           Case{"D:a.vnt", "D:"},
           Case{"D:sub\\a.vnt", "D:sub\\"},
           // A bare file name writes into the current folder, not the drive's root.
           Case{"a.vnt", ""},
           Case{"\\\\server\\share\\a.vnt", "\\\\server\\share\\"},
           Case{"C:\\あ\\b.vnt", "C:\\あ\\"},
       }) {
    EXPECT_EQ(FolderWithSeparator(c.source, kWin), c.folder) << c.source;
  }
  for (const Case& c : {Case{"out", "out\\"}, Case{"out/", "out/"}, Case{"D:", "D:"},
                        Case{"C:\\", "C:\\"}, Case{"", ""}}) {
    EXPECT_EQ(FolderPrefix(c.source, kWin), c.folder) << c.source;
  }
}

TEST(PosixPathsTest, SplitAtEverySlashOnly) {
  const struct {
    const char* path;
    const char* file_name;
    const char* folder;
  } cases[] = {
      {"/home/u/a:b.vnt", "a:b.vnt", "/home/u/"},
      {"dir\\a.vnt", "dir\\a.vnt", ""},
      {"/a.vnt", "a.vnt", "/"},
      {"./a.vnt", "a.vnt", "./"},
      // Folders whose UTF-8 ends in a byte that Shift-JIS takes as a lead byte:
      // 予 E4 BA 88, 十 E5 8D 81, 写 E5 86 99.
      {"予/n.vnt", "n.vnt", "予/"},
      {"out/十/n.vnt", "n.vnt", "out/十/"},
      {"/写/真/n.vnt", "n.vnt", "/写/真/"},
      {"予/x.bin", "x.bin", "予/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamePart(c.path, kPosix), c.file_name) << c.path;
    EXPECT_EQ(FolderWithSeparator(c.path, kPosix), c.folder) << c.path;
  }
  EXPECT_EQ(FolderPrefix("予", kPosix), "予/");
  EXPECT_EQ(FolderPrefix("out\\", kPosix), "out\\/");
  EXPECT_EQ(FolderPrefix("/", kPosix), "/");
}

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
