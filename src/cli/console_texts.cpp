#include "cli/console_texts.h"

namespace marrowpin::cli {

const ConsoleTexts kJapaneseConsoleTexts = {
    .output_exists =
        "同名ファイルが存在します。上書きは --overwrite、別の名前は --name で指定してください",
    .note_name_refused =
        "-FILENAMEの名前はフォルダの外に書き込めるか、使えない文字を含むため使えません。--name "
        "でファイル名を指定してください",
    .output_is_source =
        "出力ファイルが変換元のファイル自身になります。別の名前は --name で指定してください",
    .output_is_run_file =
        "出力ファイルがこの実行で変換するファイルになります。別の名前は --name "
        "で指定してください",
    .output_written_this_run =
        "同名の出力ファイルをこの実行で書き出しました。別の名前は --name で指定してください",
    .output_is_standard_stream =
        "出力ファイルが標準出力か標準エラー出力の書き込み先になります。別の名前は --name "
        "で指定してください",
    .not_convertible = "変換できないファイルです",
    .cannot_open_file = "ファイルを開けません",
    .cannot_read_file = "ファイルを読み込めません",
    .file_too_large = "ファイルが大きすぎて読み込めません",
};

const ConsoleTexts kEnglishConsoleTexts = {
    .output_exists = "the output file exists; --overwrite replaces it, --name gives another name",
    .note_name_refused =
        "the note's -FILENAME could write outside its folder or holds characters no name may "
        "hold, and is not used; give a name with --name",
    .output_is_source = "the output would replace the note itself; give another name with --name",
    .output_is_run_file =
        "the output would replace a FILE of this run; give another name with --name",
    .output_written_this_run =
        "this run has written an output of that name already; give another name with --name",
    .output_is_standard_stream =
        "the output would replace the file standard output or error goes to; give another name "
        "with --name",
    .not_convertible = "cannot be converted: it has no BASE64: line",
    .cannot_open_file = "cannot open the file",
    .cannot_read_file = "cannot read the file",
    .file_too_large = "the file is too large to read",
};

std::string UnansweredNameText(const NameRequest& request, const messages::Texts& conversion,
                               const ConsoleTexts& console) {
  switch (request.why) {
    case NameReason::kNoteNamesNone:
      break;
    case NameReason::kNameTooLong:
      return WithSystemReason(conversion.name_too_long, request.system_reason);
    case NameReason::kOutputExists:
      return console.output_exists;
    case NameReason::kNoteNameRefused:
      return console.note_name_refused;
    case NameReason::kOutputIsSource:
      return console.output_is_source;
    case NameReason::kOutputIsRunFile:
      return console.output_is_run_file;
    case NameReason::kOutputWrittenThisRun:
      return console.output_written_this_run;
    case NameReason::kOutputIsStandardStream:
      return console.output_is_standard_stream;
  }
  return conversion.no_file_name_key;
}

}  // namespace marrowpin::cli
