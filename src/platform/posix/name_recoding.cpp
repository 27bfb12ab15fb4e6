#include "platform/posix/name_recoding.h"

#include <iconv.h>

#include <optional>
#include <string>

namespace marrowpin {

namespace {

// The bytes converted from one character set to another; nullopt when they
// are not valid in the first.
std::optional<std::string> Recode(std::string_view bytes, const char* from, const char* to) {
  const iconv_t converter = ::iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  // No character grows beyond four bytes of UTF-8.
  std::string converted(bytes.size() * 4, '\0');
  std::string input(bytes);
  char* in = input.data();
  std::size_t in_left = input.size();
  char* out = converted.data();
  std::size_t out_left = converted.size();
  const bool whole = ::iconv(converter, &in, &in_left, &out, &out_left) != std::size_t(-1) &&
                     ::iconv(converter, nullptr, nullptr, &out, &out_left) != std::size_t(-1);
  ::iconv_close(converter);
  if (!whole) return std::nullopt;
  converted.resize(converted.size() - out_left);
  return converted;
}

}  // namespace

std::string PosixNameFromNote(std::string_view note_name) {
  if (Recode(note_name, "UTF-8", "UTF-8")) return std::string(note_name);
  return Recode(note_name, "CP932", "UTF-8").value_or(std::string(note_name));
}

}  // namespace marrowpin
