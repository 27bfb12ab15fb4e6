#pragma once

#include <span>
#include <string_view>

// A window's layout as a table of its components, written in the program's
// source with their texts (UTF-8) and read by FormControls and OpenDialog.
namespace marrowpin::win {

enum class ComponentKind {
  kForm,
  kPanel,
  kLabel,
  kButton,
  kMemo,
  kListBox,
  kStaticText,
  kOpenDialog
};

// Settings of a component, as bits.
enum ComponentSetting : unsigned {
  kVisible = 0x0001,
  kSizeable = 0x0002,
  kDesktopCenter = 0x0004,
  kDockTop = 0x0008,
  kDockFill = 0x0010,
  kScrollBars = 0x0020,
  kSoftBevel = 0x0040,
  kHideReadOnly = 0x0080,
  kAllowMultiSelect = 0x0100,
  kEnableSizing = 0x0200,
};

// One component: a window, a control or a dialog. Placement is in pixels at
// 96 dpi; an empty font face and a font height of 0 take the parent's; font
// heights are character heights, negative as the font mapper takes them.
struct LayoutComponent {
  std::string_view name = {};
  ComponentKind kind = ComponentKind::kForm;
  std::string_view parent = {};
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tab_order = 0;
  unsigned settings = 0;
  int id = 0;
  std::string_view font_face = {};
  bool fixed_pitch_font = false;  // with font_face: the pitch of a stand-in face
  int font_height = 0;
  int item_height = 0;  // 0: the control's default
  std::string_view caption = {};
  std::string_view filter = {};
  std::string_view default_extension = {};

  constexpr bool Has(unsigned setting) const { return (settings & setting) != 0; }
};

using FormLayout = std::span<const LayoutComponent>;

// Whether every component's parent is a component of the layout (the form
// names none) and no two components share a name: checked as the layout is
// compiled.
constexpr bool IsWellFormed(FormLayout layout) {
  for (const LayoutComponent& component : layout) {
    int same_name = 0;
    bool parent_found = component.kind == ComponentKind::kForm && component.parent.empty();
    for (const LayoutComponent& other : layout) {
      same_name += other.name == component.name ? 1 : 0;
      parent_found = parent_found || (!component.parent.empty() && other.name == component.parent);
    }
    if (same_name != 1 || !parent_found) return false;
  }
  return true;
}

// The component of that name; throws std::logic_error when there is none.
const LayoutComponent& FindComponent(FormLayout layout, std::string_view name);

}  // namespace marrowpin::win
