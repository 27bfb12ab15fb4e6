#include "main/frm_main_layout.h"

#include "main/resource_ids.h"
#include "version.h"

namespace marrowpin::main {

namespace {

using namespace win;  // the component kinds and settings

constexpr LayoutComponent kComponents[] = {
    {.name = "frmMain",
     .kind = ComponentKind::kForm,
     .left = 240,
     .top = 147,
     .width = 408,
     .height = 238,
     .settings = kSizeable | kDesktopCenter,
     .font_face = "ＭＳ Ｐゴシック",
     .font_height = -12,
     .caption = "Marrowpin ver" MARROWPIN_VERSION},
    {.name = "Panel1",
     .kind = ComponentKind::kPanel,
     .parent = "frmMain",
     .width = 392,
     .height = 37,
     .tab_order = 3,
     .settings = kVisible | kDockTop,
     .id = IDC_PANEL1},
    // The label stands over the panel as a control of the window itself,
    // just before the list in z-order, so that screen readers name the list
    // by it. The panel lies at the window's top left: its coordinates are
    // the window's.
    {.name = "Label1",
     .kind = ComponentKind::kLabel,
     .parent = "frmMain",
     .left = 12,
     .top = 12,
     .width = 81,
     .height = 13,
     .tab_order = 2,
     .settings = kVisible,
     .id = IDC_LABEL1,
     .font_face = "ＭＳ Ｐゴシック",
     .font_height = -13,
     .caption = "変換元ファイル"},
    {.name = "BtnRead",
     .kind = ComponentKind::kButton,
     .parent = "Panel1",
     .left = 104,
     .top = 4,
     .width = 53,
     .height = 29,
     .tab_order = 0,
     .settings = kVisible,
     .id = IDC_BTNREAD,
     .caption = "参照"},
    {.name = "Button1",
     .kind = ComponentKind::kButton,
     .parent = "Panel1",
     .left = 208,
     .top = 4,
     .width = 153,
     .height = 29,
     .tab_order = 1,
     .settings = kVisible,
     .id = IDC_BUTTON1,
     .caption = "変換開始"},
    {.name = "finList",
     .kind = ComponentKind::kMemo,
     .parent = "frmMain",
     .top = 37,
     .width = 392,
     .height = 143,
     .tab_order = 2,
     .settings = kVisible | kDockFill | kScrollBars,
     .id = IDC_FINLIST,
     .font_face = "ＭＳ ゴシック",
     .fixed_pitch_font = true,
     .font_height = -15},
    {.name = "ListBox1",
     .kind = ComponentKind::kListBox,
     .parent = "frmMain",
     .left = 508,
     .top = 96,
     .width = 129,
     .height = 57,
     .id = IDC_LISTBOX1,
     .item_height = 12},
    {.name = "StaticText1",
     .kind = ComponentKind::kStaticText,
     .parent = "frmMain",
     .left = 544,
     .top = 76,
     .width = 417,
     .height = 25,
     .tab_order = 1,
     .settings = kSoftBevel,
     .id = IDC_STATICTEXT1,
     .font_height = -16,
     .caption = "VNT filename"},
    {.name = "OpenDialog1",
     .kind = ComponentKind::kOpenDialog,
     .parent = "frmMain",
     .settings = kHideReadOnly | kAllowMultiSelect | kEnableSizing,
     .caption = "ファイルの選択",
     .filter = "VNTファイル(*.vnt , *dat)|*.vnt;*dat|すべてのファイル(*.*)|*.*",
     .default_extension = "vnt"},
    {.name = "OpenDialog2",
     .kind = ComponentKind::kOpenDialog,
     .parent = "frmMain",
     .settings = kHideReadOnly | kEnableSizing,
     .filter = "すべてのファイル|*.*"},
};
static_assert(IsWellFormed(kComponents));

}  // namespace

win::FormLayout FrmMainLayout() {
  return kComponents;
}

}  // namespace marrowpin::main
