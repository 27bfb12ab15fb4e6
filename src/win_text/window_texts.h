#pragma once

#include <string>
#include <string_view>

#include "core/messages.h"

// The Windows program's own texts beside the conversion's message tables
// (core/messages.h): the message window's button, and the errors of building
// the window, which reach the error box. UTF-8, as every text inside it.
namespace marrowpin::win_text {

// The conversion's texts as the window shows them, closing message included.
inline const messages::Texts& kConversionTexts = messages::kJapanese;

inline constexpr std::string_view kOkButton = "OK";

inline constexpr std::string_view kCannotCreateMainWindow = "cannot create the main window";
inline std::string CannotCreateControl(std::string_view name) {
  return "cannot create control " + std::string(name);
}
// The stored layout does not hold what the program needs of it.
inline constexpr std::string_view kLayoutHoldsUnknownControl =
    "layout holds a control of unknown kind";
inline constexpr std::string_view kLayoutHoldsNoForm = "layout holds no form";
inline std::string LayoutLacks(std::string_view name) {
  return "layout lacks " + std::string(name);
}

}  // namespace marrowpin::win_text
