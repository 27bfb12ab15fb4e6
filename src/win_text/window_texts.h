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
// Why the name dialog comes, told before it where the note's own name cannot
// be used; a note that names no output gets the conversion's own notice.
inline constexpr std::string_view kOutputExistsNotice =
    "同名ファイルが存在します。別のファイル名を指定してください";
inline constexpr std::string_view kNoteNameRefusedNotice =
    "-FILENAMEの名前はフォルダの外に書き込めるか、使えない文字を含むため使えません。"
    "ファイル名を指定してください";
inline constexpr std::string_view kOutputIsSourceNotice =
    "出力ファイルが変換元のファイル自身になります。別のファイル名を指定してください";
inline constexpr std::string_view kOutputIsRunFileNotice =
    "出力ファイルがこの実行で変換するファイルになります。別のファイル名を指定してください";
inline constexpr std::string_view kOutputWrittenThisRunNotice =
    "同名の出力ファイルをこの実行で書き出しました。別のファイル名を指定してください";
// A drop of nothing but folders without notes.
inline constexpr std::string_view kNoNotesDropped =
    "ドロップしたフォルダには変換元ファイルがありません";
// A browse selection too long for the dialog to hand over.
inline constexpr std::string_view kSelectionTooLong =
    "選択したファイルが多すぎて受け取れませんでした。"
    "フォルダーをウィンドウにドロップすると、その中のファイルをすべて一覧に入れられます";
// The file dialog failed with this extended error (CommDlgExtendedError).
inline std::string FileDialogFailed(unsigned long error) {
  return "file dialog failed (error " + std::to_string(error) + ")";
}
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
