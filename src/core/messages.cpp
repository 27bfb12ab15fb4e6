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
    .out_of_memory = "メモリが足りません！！",
    .held_by = " (使用中のプログラム: %s)",
    .held_by_separator = "、",
    .kept_under = " 変換した内容は %s に残してあります",
    .protected_folder_hint =
        " (Windows セキュリティの「コントロールされたフォルダー アクセス」がオンのときは、"
        "%s を許可されたアプリに加えるか、別のフォルダーに書き出してください)",
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
    .out_of_memory = "out of memory",
    .held_by = " (in use by %s)",
    .held_by_separator = ", ",
    .kept_under = " The converted bytes are kept at %s",
    .protected_folder_hint =
        " (where Controlled folder access is on in Windows Security, allow %s as an app, "
        "or write to another folder)",
};

}  // namespace marrowpin::messages

namespace marrowpin {

namespace {

// The pattern with its "%s" replaced by value (appended when it has none).
std::string Fill(std::string_view pattern, std::string_view value) {
  const std::size_t slot = std::min(pattern.find("%s"), pattern.size());
  std::string text(pattern.substr(0, slot));
  text += value;
  text += pattern.substr(std::min(slot + 2, pattern.size()));
  return text;
}

}  // namespace

std::string Messages::NotConvertible(std::string_view source_file_name) const {
  return std::string(source_file_name) + texts_.not_convertible_suffix;
}

std::string Messages::CannotOpenFile(std::string_view path) const {
  return Fill(texts_.cannot_open_file, path);
}

std::string Messages::CannotReadFile(std::string_view path) const {
  return Fill(texts_.cannot_read_file, path);
}

std::string Messages::FileTooLarge(std::string_view path) const {
  return Fill(texts_.file_too_large, path);
}

std::string Messages::NameDialogTitle(std::string_view source_file_name,
                                      bool headerless_hint) const {
  std::string title = Fill(texts_.name_dialog_title, source_file_name);
  if (headerless_hint) {
    title += texts_.headerless_hint;
  }
  return title;
}

std::string HeldBy(const messages::Texts& texts, const std::vector<std::string>& programs) {
  if (programs.empty()) return {};
  std::string list;
  for (const std::string& program : programs) {
    if (!list.empty()) list += texts.held_by_separator;
    list += program;
  }
  return Fill(texts.held_by, list);
}

std::string KeptUnder(const messages::Texts& texts, std::string_view temporary_path) {
  return Fill(texts.kept_under, temporary_path);
}

std::string ProtectedFolderHint(const messages::Texts& texts, std::string_view program_file_name) {
  return Fill(texts.protected_folder_hint, program_file_name);
}

std::string WithSystemReason(std::string_view text, std::string_view reason) {
  std::string worded(text);
  if (!reason.empty()) {
    worded += " (";
    worded += reason;
    worded += ')';
  }
  return worded;
}

}  // namespace marrowpin
