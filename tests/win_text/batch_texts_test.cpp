#include "win_text/batch_texts.h"
#include "win_text/window_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "support/golden_texts.h"

namespace marrowpin::win_text {
namespace {

TEST(FailureText, AddsTheNoteTheOutputAndTheReasonThatAreKnown) {
  EXPECT_EQ(FailureText("ファイルが作れません！！", "C:\\メモ\\a.vnt", "C:\\メモ\\a.bin",
                        "Access denied."),
            "ファイルが作れません！！\n変換元: C:\\メモ\\a.vnt\n出力先: C:\\メモ\\a.bin\n"
            "理由: Access denied.");
  EXPECT_EQ(FailureText("read failed", "C:\\a.vnt", "", "Bad sector."),
            "read failed\n変換元: C:\\a.vnt\n理由: Bad sector.");
  EXPECT_EQ(FailureText("x", "C:\\a.vnt", "C:\\a.bin", ""),
            "x\n変換元: C:\\a.vnt\n出力先: C:\\a.bin");
}

// What the reason of an output that could not take its name says besides
// the system's word: who holds the file, where new bytes were kept, and what
// a protected folder asks for; in the front end's language.
TEST(FailureText, ReasonNamesTheProgramsHoldingTheFileAndWhereTheBytesAreKept) {
  const messages::Texts& japanese = messages::kJapanese;
  const messages::Texts& english = messages::kEnglish;
  EXPECT_EQ(HeldBy(japanese, {}), "");
  EXPECT_EQ(HeldBy(english, {}), "");
  EXPECT_EQ(HeldBy(japanese, {"Photos"}), " (使用中のプログラム: Photos)");
  EXPECT_EQ(HeldBy(japanese, {"Photos", "Microsoft Defender Antivirus"}),
            " (使用中のプログラム: Photos、Microsoft Defender Antivirus)");
  EXPECT_EQ(HeldBy(english, {"Photos", "Microsoft Defender Antivirus"}),
            " (in use by Photos, Microsoft Defender Antivirus)");
  EXPECT_EQ(FailureText("ファイルに書き込めません！！", "C:\\メモ\\a.vnt", "C:\\メモ\\a.bin",
                        "共有違反です。" + HeldBy(japanese, {"Photos"})),
            "ファイルに書き込めません！！\n変換元: C:\\メモ\\a.vnt\n出力先: C:\\メモ\\a.bin\n"
            "理由: 共有違反です。 (使用中のプログラム: Photos)");
  EXPECT_EQ(KeptUnder(japanese, "C:\\メモ\\.marrowpin-AbC123"),
            " 変換した内容は C:\\メモ\\.marrowpin-AbC123 に残してあります");
  EXPECT_EQ(KeptUnder(english, "C:\\a\\.marrowpin-AbC123"),
            " The converted bytes are kept at C:\\a\\.marrowpin-AbC123");
  EXPECT_EQ(ProtectedFolderHint(japanese, "Marrowpin.exe"),
            " (Windows セキュリティの「コントロールされたフォルダー アクセス」がオンのときは、"
            "Marrowpin.exe を許可されたアプリに加えるか、別のフォルダーに書き出してください)");
  EXPECT_EQ(ProtectedFolderHint(english, "marrowpin-cli.exe"),
            " (where Controlled folder access is on in Windows Security, allow "
            "marrowpin-cli.exe as an app, or write to another folder)");
}

// Every reason the conversion gives, and the notice the window shows for it:
// the conversion's own words where the reason names no rule of the window's.
TEST(NameNotice, SaysWhyTheNameIsAskedForForEveryReason) {
  const std::string too_long(golden::kNameTooLong);
  const struct {
    NameRequest request;
    std::string_view notice;
  } cases[] = {
      {{NameReason::kNoteNamesNone, ""}, golden::kNoFileNameKey},
      {{NameReason::kOutputExists, ""}, golden::kOutputExistsNotice},
      {{NameReason::kNoteNameRefused, ""}, golden::kNoteNameRefusedNotice},
      {{NameReason::kNameTooLong, ""}, too_long},
      {{NameReason::kOutputIsSource, ""}, golden::kOutputIsSourceNotice},
      {{NameReason::kOutputIsRunFile, ""}, golden::kOutputIsRunFileNotice},
      {{NameReason::kOutputWrittenThisRun, ""}, golden::kOutputWrittenThisRunNotice},
      {{NameReason::kOutputIsStandardStream, ""}, golden::kNoFileNameKey},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameNotice(c.request), c.notice) << static_cast<int>(c.request.why);
  }
  // The system's words follow in parentheses.
  EXPECT_EQ(NameNotice({NameReason::kNameTooLong, "ファイル名が長すぎます。"}),
            too_long + " (ファイル名が長すぎます。)");
}

TEST(ProgressCaption, ShowsTheNoteInHandAndHowFarItHasGot) {
  EXPECT_EQ(ProgressCaption("Marrowpin", 2, 5), "2/5 - Marrowpin");
  EXPECT_EQ(ProgressCaption("Marrowpin", 1, 1, 0), "1/1 0% - Marrowpin");
  EXPECT_EQ(ProgressCaption("Marrowpin", 3, 12, 47), "3/12 47% - Marrowpin");
  // A source that reads a line more than it counted never shows past 100.
  EXPECT_EQ(ProgressCaption("Marrowpin", 1, 2, 101), "1/2 100% - Marrowpin");
}

TEST(WithFailedLines, ListsTheLinesAsTheyStandAndBlankOnesByNumber) {
  EXPECT_EQ(WithFailedLines("失敗", {}), "失敗");
  EXPECT_EQ(WithFailedLines("失敗", {{2, ""}, {3, "  \t"}, {5, " \"C:\\a b.vnt\" "}}),
            "失敗\n2行目 (空行)\n3行目 (空行)\n \"C:\\a b.vnt\" ");
}

TEST(WithFailedLines, ShowsTheFirstTwentyThenHowManyMore) {
  std::vector<FailedLine> failed;
  for (int number = 1; number <= 23; ++number)
    failed.push_back({number, std::to_string(number) + ".vnt"});
  const std::string text = WithFailedLines("失敗", failed);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
  EXPECT_NE(text.find("\n20.vnt\nほか 3 件"), std::string::npos) << text;
  EXPECT_EQ(text.find("21.vnt"), std::string::npos);
  failed.resize(20);
  EXPECT_EQ(WithFailedLines("失敗", failed).find("ほか"), std::string::npos);
}

TEST(PathOfListLine, TakesThePathOutOfItsQuotesAndLeavesAnyOtherLine) {
  const struct {
    const char* line;
    const char* path;
  } cases[] = {
      {"\"C:\\メモ\\a b.vnt\"", "C:\\メモ\\a b.vnt"},
      {"  \t\"C:\\a.vnt\" \t", "C:\\a.vnt"},
      {"C:\\a.vnt", "C:\\a.vnt"},
      {" C:\\a.vnt ", " C:\\a.vnt "},
      {"", ""},
      {"   ", "   "},
      {"\"", "\""},
      {"\"C:\\a.vnt", "\"C:\\a.vnt"},
      {"C:\\a.vnt\"", "C:\\a.vnt\""},
      {"\"C:\\a.vnt\" \"C:\\b.vnt\"", "\"C:\\a.vnt\" \"C:\\b.vnt\""},
      {"x\"C:\\a.vnt\"", "x\"C:\\a.vnt\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PathOfListLine(c.line), c.path) << "line [" << c.line << "]";
}

TEST(IsNoteName, TakesTheBrowseFiltersNotesInAnyCase) {
  for (const char* name : {"a.vnt", "A.VNT", "写真.Vnt", "camera.dat", "cameradat", "x.DAT", "dat"})
    EXPECT_TRUE(IsNoteName(name)) << name;
  for (const char* name : {"a.vnt.txt", "a.vn", "vnt", "a.data", "a.bin", "", "a.vnt "})
    EXPECT_FALSE(IsNoteName(name)) << name;
}

TEST(ComesBeforeByName, OrdersByNameIgnoringTheCaseOfLetters) {
  std::vector<std::string> names{"b.vnt",  "A.vnt",  "a.vnt",  "_x.vnt",
                                 "B1.dat", "花.vnt", "10.vnt", "9.vnt"};
  std::sort(names.begin(), names.end(), ComesBeforeByName);
  // Names that differ in case alone still have one order.
  EXPECT_TRUE(ComesBeforeByName("A.vnt", "a.vnt"));
  EXPECT_FALSE(ComesBeforeByName("a.vnt", "A.vnt"));
  EXPECT_EQ(names, (std::vector<std::string>{"10.vnt", "9.vnt", "_x.vnt", "A.vnt", "a.vnt", "b.vnt",
                                             "B1.dat", "花.vnt"}));
}

}  // namespace
}  // namespace marrowpin::win_text
