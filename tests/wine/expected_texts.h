#pragma once

// Texts of the main window's layout that the tests look for, in Shift-JIS.
namespace marrowpin::wine_tests {

extern const char* const kBrowseDialogTitle;
// Paths with Japanese names, shown in the main window's screenshot.
extern const char* const kSamplePaths[3];

}  // namespace marrowpin::wine_tests
