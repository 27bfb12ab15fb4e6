#pragma once

// Why a file dialog handed back no selection, apart from the window system
// so that it can be checked anywhere over the codes Windows gives.
namespace marrowpin::win {

enum class DialogEnd {
  kCancelled,         // the user closed it
  kSelectionTooLong,  // the chosen names did not fit the dialog's buffer
  kFailed,            // the dialog itself failed
};

// From CommDlgExtendedError after GetOpenFileNameW returned FALSE.
DialogEnd WhyNoSelection(unsigned long extended_error);

}  // namespace marrowpin::win
