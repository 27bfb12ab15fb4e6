#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace marrowpin::wine_tests {

// Saves the part of the screen that the windows cover, with a small margin,
// as a 24-bit BMP file.
void SaveScreenshot(const std::vector<HWND>& windows, const std::string& path);

}  // namespace marrowpin::wine_tests
