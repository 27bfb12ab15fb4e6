#include "core/messages.h"

namespace marrowpin::messages {

const char* const kNotConvertibleSuffix = "  は変換できないファイルです";
const char* const kNoFileNameKey = "-FILENAME識別子が見つかりません。ファイル名を指定してください";
const char* const kAddBitmapHeaderQuestion = "ＢＭＰヘッダを付け加えますか？";
const char* const kAddBitmapHeaderCaption = "BMPヘッダ確認";
const char* const kOverwriteQuestion = "同名ファイルが存在します。上書きしますか？";
const char* const kOverwriteCaption = "上書き確認";
const char* const kCannotCreateFile = "ファイルが作れません！！";
const char* const kCannotWriteFile = "ファイルに書き込めません！！";
const char* const kAllConverted = "変換終了!!";
const char* const kSomeFailed = "一部のファイルの変換に失敗しました！！";
const char* const kOutOfMemory = "メモリが足りません！！";

std::string CannotOpenFile(std::string_view path) {
  std::string text = "ファイル ";
  text += path;
  text += " は開けません";
  return text;
}

std::string FileTooLarge(std::string_view path) {
  std::string text = "ファイル ";
  text += path;
  text += " は大きすぎて読み込めません";
  return text;
}

std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint) {
  std::string title = " [";
  title += source_file_name;
  title += "] から生成するファイル名を指定してください";
  if (headerless_hint) {
    title += " (おそらくヘッダなしBMP)";
  }
  return title;
}

}  // namespace marrowpin::messages
