#include "win/dialog_end.h"

#include <gtest/gtest.h>

namespace marrowpin::win {
namespace {

// The extended errors commdlg.h defines, as CommDlgExtendedError gives them.
TEST(DialogEndTest, OnlyAFullBufferIsATooLongSelectionAndOnlyNoErrorACancel) {
  const struct {
    const char* what;
    unsigned long error;
    DialogEnd end;
  } cases[] = {
      {"closed by the user", 0x0000, DialogEnd::kCancelled},
      {"FNERR_BUFFERTOOSMALL", 0x3003, DialogEnd::kSelectionTooLong},
      {"FNERR_SUBCLASSFAILURE", 0x3001, DialogEnd::kFailed},
      {"FNERR_INVALIDFILENAME", 0x3002, DialogEnd::kFailed},
      {"CDERR_DIALOGFAILURE", 0xFFFF, DialogEnd::kFailed},
      {"CDERR_MEMALLOCFAILURE", 0x0009, DialogEnd::kFailed},
      {"CDERR_STRUCTSIZE", 0x0001, DialogEnd::kFailed},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WhyNoSelection(c.error), c.end) << c.what;
  }
}

}  // namespace
}  // namespace marrowpin::win
