#include "cli/shell_quote.h"

#include <cwchar>
#include <cwctype>

#include "core/utf8.h"

namespace marrowpin::cli {

namespace {

// ASCII characters the shell gives a meaning to anywhere in a word.
constexpr std::string_view kShellSpecial = " !\"$&'()*;<=>?[\\]^`{|}";
// Those that count only at a word's start.
constexpr std::string_view kSpecialAtStart = "#~";

bool IsPrintableAscii(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7F;
}

// The length of the printable character at the start of bytes; 0 when they
// start with a control character or with a byte that is no character.
std::size_t PrintableLength(std::string_view bytes, NameCharacters characters) {
  const unsigned char first = static_cast<unsigned char>(bytes[0]);
  if (first < 0x80) return IsPrintableAscii(first) ? 1 : 0;
  if (characters == NameCharacters::kUtf8) {
    char32_t code_point = 0;
    const std::size_t length = Utf8SequenceAt(bytes, code_point);
    const bool control = code_point < 0xA0 || code_point == 0x2028 || code_point == 0x2029;
    return length != 0 && !control ? length : 0;
  }
  std::mbstate_t state{};
  wchar_t wide;
  const std::size_t length = std::mbrtowc(&wide, bytes.data(), bytes.size(), &state);
  // (size_t)-1: no character; (size_t)-2: cut short; 0 cannot come (not NUL).
  if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2)) return 0;
  return std::iswprint(static_cast<std::wint_t>(wide)) ? length : 0;
}

// The escape of one byte inside $'...'.
void AppendEscaped(std::string& out, unsigned char byte) {
  switch (byte) {
    case '\a':
      out += "\\a";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\v':
      out += "\\v";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\r':
      out += "\\r";
      return;
  }
  out += '\\';
  out += static_cast<char>('0' + (byte >> 6));
  out += static_cast<char>('0' + ((byte >> 3) & 7));
  out += static_cast<char>('0' + (byte & 7));
}

}  // namespace

std::string ShellQuoted(std::string_view name, NameCharacters characters) {
  bool needs_quotes = name.empty() || kSpecialAtStart.find(name[0]) != std::string_view::npos;
  for (std::size_t i = 0; i < name.size() && !needs_quotes;) {
    const std::size_t length = PrintableLength(name.substr(i), characters);
    needs_quotes =
        length == 0 || (length == 1 && kShellSpecial.find(name[i]) != kShellSpecial.npos);
    i += length;
  }
  if (!needs_quotes) return std::string(name);
  if (name.empty()) return "''";

  // Runs of three kinds follow each other: printable text in '...', a single
  // quote as \', and other bytes in $'...'.
  enum class Run { kNone, kText, kEscaped };
  Run run = Run::kNone;
  std::string out;
  const auto enter = [&](Run next) {
    if (run == next) return;
    if (run != Run::kNone) out += '\'';
    if (next == Run::kText) out += '\'';
    if (next == Run::kEscaped) out += "$'";
    run = next;
  };
  for (std::size_t i = 0; i < name.size();) {
    // The blank before "->" is escaped, so that " -> " stands only between
    // the names of a printed line.
    const bool arrow = name.substr(i).starts_with(" -> ");
    const std::size_t length = arrow ? 0 : PrintableLength(name.substr(i), characters);
    if (length == 0) {
      enter(Run::kEscaped);
      AppendEscaped(out, static_cast<unsigned char>(name[i]));
      ++i;
    } else if (name[i] == '\'') {
      enter(Run::kNone);
      out += "\\'";
      ++i;
    } else {
      enter(Run::kText);
      out.append(name.substr(i, length));
      i += length;
    }
  }
  enter(Run::kNone);
  return out;
}

std::string QuotedName(std::string_view name) {
#ifdef _WIN32
  return ShellQuoted(name, NameCharacters::kUtf8);
#else
  return ShellQuoted(name, NameCharacters::kLocale);
#endif
}

}  // namespace marrowpin::cli
