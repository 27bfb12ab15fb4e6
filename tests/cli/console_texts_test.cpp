#include "cli/console_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/golden_texts.h"

namespace marrowpin::cli {
namespace {

// Every reason the conversion gives, and the line's text where the name
// request goes unanswered, in both languages.
TEST(UnansweredNameText, SaysWhyANameWasNeededForEveryReasonInEachLanguage) {
  const struct {
    NameReason why;
    std::string_view japanese;
    std::string_view english;
  } cases[] = {
      {NameReason::kNoteNamesNone, golden::kNoFileNameKey, golden::kNoFileNameKeyInEnglish},
      {NameReason::kOutputExists, golden::kOutputExists, golden::kOutputExistsInEnglish},
      {NameReason::kNoteNameRefused, golden::kNoteNameRefused, golden::kNoteNameRefusedInEnglish},
      {NameReason::kNameTooLong, golden::kNameTooLong, golden::kNameTooLongInEnglish},
      {NameReason::kOutputIsSource, golden::kOutputIsSource, golden::kOutputIsSourceInEnglish},
      {NameReason::kOutputIsRunFile, golden::kOutputIsRunFile, golden::kOutputIsRunFileInEnglish},
      {NameReason::kOutputWrittenThisRun, golden::kOutputWrittenThisRun,
       golden::kOutputWrittenThisRunInEnglish},
      {NameReason::kOutputIsStandardStream, golden::kOutputIsStandardStream,
       golden::kOutputIsStandardStreamInEnglish},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.why));
    EXPECT_EQ(UnansweredNameText({c.why, ""}, messages::kJapanese, kJapaneseConsoleTexts),
              c.japanese);
    EXPECT_EQ(UnansweredNameText({c.why, ""}, messages::kEnglish, kEnglishConsoleTexts), c.english);
  }
  // The system's words follow in parentheses.
  EXPECT_EQ(UnansweredNameText({NameReason::kNameTooLong, "File name too long"}, messages::kEnglish,
                               kEnglishConsoleTexts),
            std::string(golden::kNameTooLongInEnglish) + " (File name too long)");
}

}  // namespace
}  // namespace marrowpin::cli
