#include "main/frm_main_layout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/golden_texts.h"

namespace marrowpin::main {
namespace {

using win::FindComponent;

TEST(FrmMainLayout, HoldsEveryTextOfTheWindowAndItsDialogs) {
  const win::FormLayout layout = FrmMainLayout();
  EXPECT_EQ(FindComponent(layout, "frmMain").caption, golden::kWindowCaption);
  EXPECT_EQ(FindComponent(layout, "frmMain").font_face, golden::kWindowFont);
  EXPECT_EQ(FindComponent(layout, "Label1").caption, golden::kSourceLabel);
  EXPECT_EQ(FindComponent(layout, "Label1").font_face, golden::kWindowFont);
  EXPECT_EQ(FindComponent(layout, "BtnRead").caption, golden::kBrowseButton);
  EXPECT_EQ(FindComponent(layout, "Button1").caption, golden::kStartButton);
  EXPECT_EQ(FindComponent(layout, "finList").font_face, golden::kListFont);
  EXPECT_EQ(FindComponent(layout, "OpenDialog1").caption, golden::kBrowseDialogTitle);
  EXPECT_EQ(FindComponent(layout, "OpenDialog1").filter, golden::kBrowseDialogFilter);
  EXPECT_EQ(FindComponent(layout, "OpenDialog2").filter, golden::kNameDialogFilter);
}

// The menu lives in a resource script that only the Windows build compiles;
// each text must stand there as written, in quotes.
TEST(FrmMainMenu, HoldsTheFileMenuAndItsExitItem) {
  std::ifstream in(MARROWPIN_MENU_SCRIPT, std::ios::binary);
  ASSERT_TRUE(in) << MARROWPIN_MENU_SCRIPT;
  const std::string script(std::istreambuf_iterator<char>(in), {});
  for (std::string_view text : {golden::kFileMenu, golden::kExitMenuItem}) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    EXPECT_NE(script.find(quoted), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace marrowpin::main
