#pragma once

#include <string>
#include <string_view>

// The texts the program must show, as a user reads them, in UTF-8: the tests
// compare them with the windows' Unicode texts, so the same expectations hold
// under every code page. Kept here on purpose, apart from the program's own.
namespace marrowpin::wine_tests::expected {

extern const char* const kApplicationTitle;
extern const char* const kBrowseDialogTitle;
extern const char* const kNotConvertibleSuffix;
extern const char* const kNoFileNameKey;
extern const char* const kAddBitmapHeaderQuestion;
extern const char* const kAddBitmapHeaderCaption;
extern const char* const kOverwriteQuestion;
extern const char* const kOverwriteCaption;
extern const char* const kAllConverted;
extern const char* const kSomeFailed;

std::string NotConvertible(std::string_view file_name);
// The error box for a source that exists but cannot be opened.
std::string CannotOpenFileError(std::string_view path);
std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint);

// Paths with Japanese names, shown in the main window's screenshot.
extern const char* const kSamplePaths[3];

}  // namespace marrowpin::wine_tests::expected
