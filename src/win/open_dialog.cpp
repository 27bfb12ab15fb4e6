#include "win/open_dialog.h"

#include <commdlg.h>

#include <stdexcept>

#include "win/dialog_end.h"
#include "win_text/dialog_texts.h"
#include "win_text/window_texts.h"

namespace marrowpin::win {

namespace {

// The characters the selection buffer holds, terminators included.
constexpr std::size_t kSelectionBufferSize = 65519;

const wchar_t* TextOrNull(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}

}  // namespace

OpenDialog::OpenDialog(const LayoutComponent& component)
    : title_(Wide(component.caption)),
      filter_(Wide(win_text::DialogFilter(component.filter))),
      default_extension_(Wide(component.default_extension)),
      // The current folder stays as it is, so that a relative source path
      // keeps naming the same file after the dialog.
      flags_(OFN_EXPLORER | OFN_NOCHANGEDIR |
             (component.Has(kHideReadOnly) ? OFN_HIDEREADONLY : 0) |
             (component.Has(kAllowMultiSelect) ? OFN_ALLOWMULTISELECT : 0) |
             (component.Has(kEnableSizing) ? OFN_ENABLESIZING : 0)) {}

std::vector<std::string> OpenDialog::Execute(HWND owner) {
  std::wstring buffer(kSelectionBufferSize, L'\0');
  file_name_.copy(buffer.data(), kSelectionBufferSize - 1);

  OPENFILENAMEW dialog{};
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
  selection_did_not_fit_ = false;
  if (!GetOpenFileNameW(&dialog)) {
    const DWORD error = CommDlgExtendedError();
    const DialogEnd end = WhyNoSelection(error);
    if (end == DialogEnd::kFailed) throw std::runtime_error(win_text::FileDialogFailed(error));
    selection_did_not_fit_ = end == DialogEnd::kSelectionTooLong;
    return {};
  }

  filter_index_ = dialog.nFilterIndex;
  // A single selection ends at its first zero; what follows may be left over
  // from the name offered. A several-file selection ends in two zeros.
  std::vector<std::string> paths;
  if (flags_ & OFN_ALLOWMULTISELECT) {
    const std::size_t end = buffer.find(std::wstring_view(L"\0\0", 2));
    paths = win_text::SelectedPaths(Utf8(std::wstring_view(buffer).substr(0, end)));
  } else {
    paths.push_back(Utf8(buffer.c_str()));
  }
  if (!paths.empty()) file_name_ = Wide(paths.front());
  return paths;
}

}  // namespace marrowpin::win
