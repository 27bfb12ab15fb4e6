#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "main/stored_layout.h"

namespace marrowpin::main {

// A file-open dialog with the settings of its stored component. It offers
// the name chosen at its previous use again and keeps the filter last used.
// No option requires the chosen file to exist.
class OpenDialog {
 public:
  explicit OpenDialog(const StoredComponent& stored);

  void SetTitle(std::string title) { title_ = std::move(title); }
  void SetInitialFolder(std::string folder) { initial_folder_ = std::move(folder); }

  // The full paths chosen, in the dialog's order; empty when cancelled or
  // when the selection did not fit the dialog's buffer.
  std::vector<std::string> Execute(HWND owner);

 private:
  std::string title_;
  std::string filter_;  // in the dialog's own form
  std::string default_extension_;
  std::string initial_folder_;
  std::string file_name_;
  DWORD flags_;
  DWORD filter_index_ = 1;
};

}  // namespace marrowpin::main
