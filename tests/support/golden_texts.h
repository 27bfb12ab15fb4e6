#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "version.h"

// Every text the program shows, written out once, so that the tests expect
// them from here and never from the program's own constants: a changed
// character anywhere in a message, caption or title fails a test. UTF-8, as
// both programs keep their texts.
namespace marrowpin::golden {

// Messages of the conversion.
inline constexpr std::string_view kNotConvertibleSuffix = "  は変換できないファイルです";
inline constexpr std::string_view kNoFileNameKey =
    "-FILENAME識別子が見つかりません。ファイル名を指定してください";
inline constexpr std::string_view kCannotCreateFile = "ファイルが作れません！！";
inline constexpr std::string_view kCannotWriteFile = "ファイルに書き込めません！！";
inline constexpr std::string_view kNameTooLong =
    "ファイル名が長すぎてフォルダに作れません。ファイル名を指定してください";

// Questions and their captions.
inline constexpr std::string_view kAddBitmapHeaderQuestion = "ＢＭＰヘッダを付け加えますか？";
inline constexpr std::string_view kAddBitmapHeaderCaption = "BMPヘッダ確認";
inline constexpr std::string_view kOverwriteQuestion = "同名ファイルが存在します。上書きしますか？";
inline constexpr std::string_view kOverwriteCaption = "上書き確認";
// The window's overwrite question names the output below its text.
inline std::string OverwriteQuestion(std::string_view output) {
  return std::string(kOverwriteQuestion) + "\n出力先: " + std::string(output);
}

// The window's notice before the name dialog, where the note's name is not
// used.
inline constexpr std::string_view kOutputExistsNotice =
    "同名ファイルが存在します。別のファイル名を指定してください";
inline constexpr std::string_view kOutputIsSourceNotice =
    "出力ファイルが変換元のファイル自身になります。別のファイル名を指定してください";
inline constexpr std::string_view kNoteNameRefusedNotice =
    "-FILENAMEの名前はフォルダの外に書き込めるか、使えない文字を含むため使えません。"
    "ファイル名を指定してください";
inline constexpr std::string_view kOutputIsRunFileNotice =
    "出力ファイルがこの実行で変換するファイルになります。別のファイル名を指定してください";
inline constexpr std::string_view kOutputWrittenThisRunNotice =
    "同名の出力ファイルをこの実行で書き出しました。別のファイル名を指定してください";

// The closing message of a batch.
inline constexpr std::string_view kAllConverted = "変換終了!!";
inline constexpr std::string_view kSomeFailed = "一部のファイルの変換に失敗しました！！";
// The same in the console program's English.
inline constexpr std::string_view kAllConvertedInEnglish = "Conversion finished";
inline constexpr std::string_view kSomeFailedInEnglish = "Some files could not be converted";

// A failed line of the list that is blank, as the closing message names it.
inline std::string BlankLine(int line_number) {
  return std::to_string(line_number) + "行目 (空行)";
}
// The closing message of a batch in which these lines of the list failed.
inline std::string SomeFailed(const std::vector<std::string>& failed_lines) {
  std::string text(kSomeFailed);
  for (const std::string& line : failed_lines)
    text += "\n" + line;
  return text;
}
// The failed lines beyond the twenty the closing message lists.
inline std::string MoreFailedLines(int count) {
  return "ほか " + std::to_string(count) + " 件";
}
// A failure box up to its reason: the message, the note and the output.
inline std::string FailureBeforeReason(std::string_view message, std::string_view note,
                                       std::string_view output) {
  return std::string(message) + "\n変換元: " + std::string(note) +
         "\n出力先: " + std::string(output) + "\n理由: ";
}
// A drop that adds no note.
inline constexpr std::string_view kNoNotesDropped =
    "ドロップしたフォルダには変換元ファイルがありません";

// Errors that reach the top.
inline constexpr std::string_view kOutOfMemory = "メモリが足りません！！";

// The console program's, where a window would ask for a name.
inline constexpr std::string_view kOutputExists =
    "同名ファイルが存在します。上書きは --overwrite、別の名前は --name で指定してください";
inline constexpr std::string_view kNoteNameRefused =
    "-FILENAMEの名前はフォルダの外に書き込めるか、使えない文字を含むため使えません。--name "
    "でファイル名を指定してください";
inline constexpr std::string_view kOutputIsSource =
    "出力ファイルが変換元のファイル自身になります。別の名前は --name で指定してください";
inline constexpr std::string_view kOutputIsRunFile =
    "出力ファイルがこの実行で変換するファイルになります。別の名前は --name で指定してください";
inline constexpr std::string_view kOutputWrittenThisRun =
    "同名の出力ファイルをこの実行で書き出しました。別の名前は --name で指定してください";
inline constexpr std::string_view kOutputIsStandardStream =
    "出力ファイルが標準出力か標準エラー出力の書き込み先になります。別の名前は --name "
    "で指定してください";
inline constexpr std::string_view kConsoleCannotOpenFile = "ファイルを開けません";
// The same, and the conversion's notices it uses, in English.
inline constexpr std::string_view kNoFileNameKeyInEnglish =
    "the note names no output file (-FILENAME); please give a file name";
inline constexpr std::string_view kNameTooLongInEnglish =
    "the output name is too long for its folder; please give a file name";
inline constexpr std::string_view kOutputExistsInEnglish =
    "the output file exists; --overwrite replaces it, --name gives another name";
inline constexpr std::string_view kNoteNameRefusedInEnglish =
    "the note's -FILENAME could write outside its folder or holds characters no name may hold, "
    "and is not used; give a name with --name";
inline constexpr std::string_view kOutputIsSourceInEnglish =
    "the output would replace the note itself; give another name with --name";
inline constexpr std::string_view kOutputIsRunFileInEnglish =
    "the output would replace a FILE of this run; give another name with --name";
inline constexpr std::string_view kOutputWrittenThisRunInEnglish =
    "this run has written an output of that name already; give another name with --name";
inline constexpr std::string_view kOutputIsStandardStreamInEnglish =
    "the output would replace the file standard output or error goes to; give another name "
    "with --name";

// The message for a source file name with no "BASE64:" line.
inline std::string NotConvertible(std::string_view file_name) {
  return std::string(file_name) + std::string(kNotConvertibleSuffix);
}
inline std::string CannotOpenFile(std::string_view path) {
  return "ファイル " + std::string(path) + " は開けません";
}
inline std::string CannotReadFile(std::string_view path) {
  return "ファイル " + std::string(path) + " は読み込めません";
}
inline std::string FileTooLarge(std::string_view path) {
  return "ファイル " + std::string(path) + " は大きすぎて読み込めません";
}

// The title of the name dialog for a source file name.
inline std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint) {
  return " [" + std::string(source_file_name) + "] から生成するファイル名を指定してください" +
         (headerless_hint ? " (おそらくヘッダなしBMP)" : "");
}

// The main window's stored layout and its dialogs.
inline constexpr std::string_view kApplicationTitle = "Marrowpin";
inline constexpr std::string_view kWindowCaption = "Marrowpin ver" MARROWPIN_VERSION;
inline constexpr std::string_view kSourceLabel = "変換元ファイル";
inline constexpr std::string_view kBrowseButton = "参照";
inline constexpr std::string_view kStartButton = "変換開始";
inline constexpr std::string_view kFileMenu = "ファイル";
inline constexpr std::string_view kExitMenuItem = "終了";
inline constexpr std::string_view kBrowseDialogTitle = "ファイルの選択";
inline constexpr std::string_view kBrowseDialogFilter =
    "VNTファイル(*.vnt , *dat)|*.vnt;*dat|すべてのファイル(*.*)|*.*";
inline constexpr std::string_view kNameDialogFilter = "すべてのファイル|*.*";
inline constexpr std::string_view kWindowFont = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kListFont = "ＭＳ ゴシック";

}  // namespace marrowpin::golden
