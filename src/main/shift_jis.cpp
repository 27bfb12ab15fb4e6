#include "main/shift_jis.h"

#include <windows.h>

namespace marrowpin::main {

namespace {

constexpr UINT kShiftJisCodePage = 932;

}  // namespace

std::string ToShiftJis(std::wstring_view text) {
  if (text.empty())
    return {};
  const int wide_size = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(kShiftJisCodePage, 0, text.data(), wide_size, nullptr, 0,
                                       nullptr, nullptr);
  std::string converted(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(kShiftJisCodePage, 0, text.data(), wide_size, converted.data(), size, nullptr,
                      nullptr);
  return converted;
}

}  // namespace marrowpin::main
