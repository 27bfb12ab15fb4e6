#pragma once

#include <string>
#include <string_view>

// Every text the conversion and the batch show, in one place. The source is
// UTF-8; Windows builds compile messages.cpp to Shift-JIS (code page 932).
namespace marrowpin::messages {

extern const char* const kNotConvertibleSuffix;
extern const char* const kNoFileNameKey;
extern const char* const kAddBitmapHeaderQuestion;
extern const char* const kAddBitmapHeaderCaption;
extern const char* const kOverwriteQuestion;
extern const char* const kOverwriteCaption;
extern const char* const kCannotCreateFile;
extern const char* const kCannotWriteFile;
extern const char* const kAllConverted;
extern const char* const kSomeFailed;
extern const char* const kOutOfMemory;

std::string CannotOpenFile(std::string_view path);
std::string FileTooLarge(std::string_view path);
std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint);

}  // namespace marrowpin::messages
