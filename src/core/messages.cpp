#include "core/messages.h"

#include <algorithm>

namespace marrowpin::messages {

const Texts kJapanese = {
    .not_convertible_suffix = "  は変換できないファイルです",
    .no_file_name_key = "-FILENAME識別子が見つかりません。ファイル名を指定してください",
    .add_bitmap_header_question = "ＢＭＰヘッダを付け加えますか？",
    .add_bitmap_header_caption = "BMPヘッダ確認",
    .overwrite_question = "同名ファイルが存在します。上書きしますか？",
    .overwrite_caption = "上書き確認",
    .cannot_create_file = "ファイルが作れません！！",
    .cannot_write_file = "ファイルに書き込めません！！",
    .all_converted = "変換終了!!",
    .some_failed = "一部のファイルの変換に失敗しました！！",
    .cannot_open_file = "ファイル %s は開けません",
    .cannot_read_file = "ファイル %s は読み込めません",
    .file_too_large = "ファイル %s は大きすぎて読み込めません",
    .name_dialog_title = " [%s] から生成するファイル名を指定してください",
    .headerless_hint = " (おそらくヘッダなしBMP)",
    .name_too_long = "ファイル名が長すぎてフォルダに作れません。ファイル名を指定してください",
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
    .out_of_memory = "メモリが足りません！！",
};

const Texts kEnglish = {
    .not_convertible_suffix = " cannot be converted: it has no BASE64: line",
    .no_file_name_key = "the note names no output file (-FILENAME); please give a file name",
    .add_bitmap_header_question = "Add a bitmap header?",
    .add_bitmap_header_caption = "Bitmap header",
    .overwrite_question = "A file of that name exists. Overwrite it?",
    .overwrite_caption = "Overwrite",
    .cannot_create_file = "cannot create the output file",
    .cannot_write_file = "cannot write the output file",
    .all_converted = "Conversion finished",
    .some_failed = "Some files could not be converted",
    .cannot_open_file = "cannot open the file %s",
    .cannot_read_file = "cannot read the file %s",
    .file_too_large = "the file %s is too large to read",
    .name_dialog_title = "Name of the file to make from [%s]",
    .headerless_hint = " (probably a bitmap without header)",
    .name_too_long = "the output name is too long for its folder; please give a file name",
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
    .out_of_memory = "out of memory",
};

namespace {

const Texts* chosen = &kJapanese;
PathQuoting path_quoting = nullptr;

std::string Shown(std::string_view path) {
  return path_quoting != nullptr ? path_quoting(path) : std::string(path);
}

// The pattern with its "%s" replaced by value (appended when it has none).
std::string Fill(std::string_view pattern, std::string_view value) {
  const std::size_t slot = std::min(pattern.find("%s"), pattern.size());
  std::string text(pattern.substr(0, slot));
  text += value;
  text += pattern.substr(std::min(slot + 2, pattern.size()));
  return text;
}

}  // namespace

const Texts& Current() {
  return *chosen;
}

void Choose(const Texts& texts) {
  chosen = &texts;
}

void QuotePathsWith(PathQuoting quoting) {
  path_quoting = quoting;
}

std::string NotConvertible(std::string_view source_file_name) {
  return Shown(source_file_name) + Current().not_convertible_suffix;
}

std::string CannotOpenFile(std::string_view path) {
  return Fill(Current().cannot_open_file, Shown(path));
}

std::string CannotReadFile(std::string_view path) {
  return Fill(Current().cannot_read_file, Shown(path));
}

std::string FileTooLarge(std::string_view path) {
  return Fill(Current().file_too_large, Shown(path));
}

std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint) {
  std::string title = Fill(Current().name_dialog_title, source_file_name);
  if (headerless_hint) {
    title += Current().headerless_hint;
  }
  return title;
}

}  // namespace marrowpin::messages
