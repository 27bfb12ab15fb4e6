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

// The lines a failure box adds below its message.
inline constexpr std::string_view kNotePathLabel = "変換元: ";
inline constexpr std::string_view kOutputPathLabel = "出力先: ";
inline constexpr std::string_view kReasonLabel = "理由: ";
// A blank line of the list, as the closing message names it.
inline std::string BlankListLine(int line_number) {
  return std::to_string(line_number) + "行目 (空行)";
}
// The failed lines beyond those the closing message lists.
inline std::string MoreFailedLines(int count) {
  return "ほか " + std::to_string(count) + " 件";
}
// A drop of nothing but folders without notes.
inline constexpr std::string_view kNoNotesDropped =
    "ドロップしたフォルダには変換元ファイルがありません";
// Why signing out or shutting down should wait while notes are converted.
inline constexpr std::string_view kSessionEndWaits =
    "ファイルを変換しています。終わるまでお待ちください";

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
