#include "unicode_text.h"

#include <windows.h>

#include <cstdio>

#include "remote_program.h"

namespace marrowpin::wine_tests {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length == 0) throw TestFailure("a text of the driver is not UTF-8: " + PrintableBytes(utf8));
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

namespace {

std::string Escaped(const char* format, unsigned value) {
  char escaped[16];
  std::snprintf(escaped, sizeof escaped, format, value);
  return escaped;
}

}  // namespace

std::string Printable(std::string_view utf8) {
  // Leniently decoded: a report must not fail on the text it reports.
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  std::string printable;
  for (const wchar_t unit : wide) {
    if (unit < 0x20)
      printable += Escaped("\\x%02X", unit);
    else if (unit >= 0x7F)
      printable += Escaped("\\u%04X", unit);
    else
      printable.push_back(static_cast<char>(unit));
  }
  return printable;
}

std::string PrintableBytes(std::string_view bytes) {
  std::string printable;
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F)
      printable += Escaped("\\x%02X", byte);
    else
      printable.push_back(c);
  }
  return printable;
}

}  // namespace marrowpin::wine_tests
