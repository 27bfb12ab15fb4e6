#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/form_layout.h"
#include "win/wide_text.h"

namespace marrowpin::win {

// A file-open dialog with the settings of its layout component. It offers
// the name chosen at its previous use again and keeps the filter last used.
// No option requires the chosen file to exist. Texts and paths are UTF-8.
class OpenDialog {
 public:
  explicit OpenDialog(const LayoutComponent& component);

  void SetTitle(std::string_view title) { title_ = Wide(title); }
  void SetInitialFolder(std::string_view folder) { initial_folder_ = Wide(folder); }

  // The full paths chosen, in the dialog's order; empty when cancelled or
  // when the selection did not fit the dialog's buffer. Throws when the
  // dialog fails otherwise.
  std::vector<std::string> Execute(HWND owner);
  // Whether the last selection was too long for the dialog's buffer.
  bool SelectionDidNotFit() const { return selection_did_not_fit_; }

 private:
  std::wstring title_;
  std::wstring filter_;  // in the dialog's own form
  std::wstring default_extension_;
  std::wstring initial_folder_;
  std::wstring file_name_;
  DWORD flags_;
  DWORD filter_index_ = 1;
  bool selection_did_not_fit_ = false;
};

}  // namespace marrowpin::win
