#pragma once

#include <string>
#include <string_view>

// The driver holds every text as UTF-8 and talks to Windows in UTF-16, so that
// it reads and writes the same texts and files whatever the system's code page.
namespace marrowpin::wine_tests {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// Plain ASCII for the report: characters beyond ASCII as \uXXXX (UTF-16 units)
// and control characters as \xNN.
std::string Printable(std::string_view utf8);
// Raw bytes as ASCII, every byte outside printable ASCII as \xNN.
std::string PrintableBytes(std::string_view bytes);

}  // namespace marrowpin::wine_tests
