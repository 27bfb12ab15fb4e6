#include "expected_texts.h"

namespace marrowpin::wine_tests::expected {

const char* const kApplicationTitle = "Marrowpin";
const char* const kBrowseDialogTitle = "ファイルの選択";
const char* const kNotConvertibleSuffix = "  は変換できないファイルです";
const char* const kNoFileNameKey = "-FILENAME識別子が見つかりません。ファイル名を指定してください";
const char* const kAddBitmapHeaderQuestion = "ＢＭＰヘッダを付け加えますか？";
const char* const kAddBitmapHeaderCaption = "BMPヘッダ確認";
const char* const kOverwriteQuestion = "同名ファイルが存在します。上書きしますか？";
const char* const kOverwriteCaption = "上書き確認";
const char* const kAllConverted = "変換終了!!";
const char* const kSomeFailed = "一部のファイルの変換に失敗しました！！";

std::string NotConvertible(std::string_view file_name) {
  return std::string(file_name) + kNotConvertibleSuffix;
}

std::string CannotOpenFileError(std::string_view path) {
  return "ファイル " + std::string(path) + " は開けません.";
}

std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint) {
  return " [" + std::string(source_file_name) + "] から生成するファイル名を指定してください" +
         (headerless_hint ? " (おそらくヘッダなしBMP)" : "");
}

const char* const kSamplePaths[3] = {
    "C:\\メモ\\花見.vnt",
    "C:\\メモ\\旅行 2026\\駅.vnt",
    "D:\\notes\\camera-0412.dat",
};

}  // namespace marrowpin::wine_tests::expected
