#include "win/dialog_end.h"

namespace marrowpin::win {

namespace {

// FNERR_BUFFERTOOSMALL (commdlg.h).
constexpr unsigned long kBufferTooSmall = 0x3003;

}  // namespace

DialogEnd WhyNoSelection(unsigned long extended_error) {
  if (extended_error == 0) return DialogEnd::kCancelled;
  // The size the dialog then leaves in the buffer's first unit cannot tell
  // more than 65,535 characters: the user is told instead of asked again.
  if (extended_error == kBufferTooSmall) return DialogEnd::kSelectionTooLong;
  return DialogEnd::kFailed;
}

}  // namespace marrowpin::win
