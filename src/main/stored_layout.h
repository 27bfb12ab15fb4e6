#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace marrowpin::main {

// One component of a stored window layout: a window, a control or a dialog.
// Placement is in pixels at 96 dpi; texts are Shift-JIS.
struct StoredComponent {
  std::string name;
  int kind = 0;  // KIND_* of main/resource_ids.h
  std::string parent;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tab_order = 0;
  unsigned settings = 0;  // OPT_* bits
  int id = 0;
  std::string font_face;  // empty: the parent's
  int font_height = 0;    // 0: the parent's
  int item_height = 0;    // 0: the control's default
  std::string caption;
  std::string filter;
  std::string default_extension;

  bool Has(unsigned setting) const { return (settings & setting) != 0; }
};

using StoredLayout = std::vector<StoredComponent>;

// Reads the layout kept in the module's RCDATA resource layout_id, taking
// its texts from the module's string table.
StoredLayout LoadStoredLayout(HINSTANCE module, int layout_id);

// The component of that name; throws std::logic_error when there is none.
const StoredComponent& FindComponent(const StoredLayout& layout, std::string_view name);

}  // namespace marrowpin::main
