#include "main/open_dialog.h"

#include <commdlg.h>

#include "main/dialog_texts.h"
#include "main/resource_ids.h"

namespace marrowpin::main {

namespace {

// The characters the selection buffer holds, terminators included.
constexpr std::size_t kSelectionBufferSize = 65519;

const char* TextOrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

}  // namespace

OpenDialog::OpenDialog(const StoredComponent& stored)
    : title_(stored.caption),
      filter_(DialogFilter(stored.filter)),
      default_extension_(stored.default_extension),
      // The current folder stays as it is, so that a relative source path
      // keeps naming the same file after the dialog.
      flags_(OFN_EXPLORER | OFN_NOCHANGEDIR |
             (stored.Has(OPT_HIDE_READ_ONLY) ? OFN_HIDEREADONLY : 0) |
             (stored.Has(OPT_ALLOW_MULTI_SELECT) ? OFN_ALLOWMULTISELECT : 0) |
             (stored.Has(OPT_ENABLE_SIZING) ? OFN_ENABLESIZING : 0)) {}

std::vector<std::string> OpenDialog::Execute(HWND owner) {
  std::string buffer(kSelectionBufferSize, '\0');
  file_name_.copy(buffer.data(), kSelectionBufferSize - 1);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter_.c_str();
  dialog.nFilterIndex = filter_index_;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrInitialDir = TextOrNull(initial_folder_);
  dialog.lpstrTitle = TextOrNull(title_);
  dialog.Flags = flags_;
  dialog.lpstrDefExt = TextOrNull(default_extension_);
  if (!GetOpenFileNameA(&dialog))
    return {};

  filter_index_ = dialog.nFilterIndex;
  // A single selection ends at its first zero byte; what follows may be
  // left over from the name offered.
  std::vector<std::string> paths = (flags_ & OFN_ALLOWMULTISELECT)
                                       ? SelectedPaths(buffer)
                                       : std::vector<std::string>{std::string(buffer.c_str())};
  if (!paths.empty())
    file_name_ = paths.front();
  return paths;
}

}  // namespace marrowpin::main
