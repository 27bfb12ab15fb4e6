#include "support/reference_rules.h"

#include <iconv.h>

#include <cstdlib>

namespace marrowpin::reference {

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // some byte of the current line has been seen
  for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

std::size_t FindKey(std::string_view text, std::string_view key) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, key.size()) == key) return i;
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    i += lead ? 2 : 1;
  }
  return key.empty() && i == text.size() ? i : std::string_view::npos;
}

std::string HeaderValue(std::string_view line) {
  std::string value;
  bool after_colon = line.find(':') == std::string_view::npos;
  for (char c : line) {
    if (after_colon && value.size() < 255) value += c;
    if (c == ':') after_colon = true;
  }
  return value;
}

namespace {

bool AllOf(std::string_view text, std::string_view allowed) {
  for (char c : text) {
    if (allowed.find(c) == std::string_view::npos) return false;
  }
  return true;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  while (!digits.empty() && digits.front() == '0')
    digits.remove_prefix(1);
  return digits;
}

}  // namespace

std::int32_t ReadInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::string_view rest = text.substr(i);
  std::string_view hex;
  bool is_hex = true;
  if (rest.substr(0, 2) == "0x" || rest.substr(0, 2) == "0X") {
    hex = rest.substr(2);
  } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    hex = rest.substr(1);
  } else {
    is_hex = false;
  }
  if (is_hex) {
    if (hex.empty() || !AllOf(hex, "0123456789abcdefABCDEF")) return 0;
    const std::string significant(WithoutLeadingZeros(hex));
    if (significant.size() > 8) return 0;
    if (significant.empty()) return 0;
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(std::strtoul(significant.c_str(), nullptr, 16)));
  }
  if (rest.empty() || !AllOf(rest, "0123456789")) return 0;
  const std::string significant(WithoutLeadingZeros(rest));
  if (significant.size() > 10) return 0;
  long long value = significant.empty() ? 0 : std::atoll(significant.c_str());
  if (negative) value = -value;
  if (value < -2147483648LL || value > 2147483647LL) return 0;
  return static_cast<std::int32_t>(value);
}

std::string TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
    text.remove_suffix(1);
  return std::string(text);
}

std::string Base64Decode(std::string_view groups) {
  const std::string_view alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  for (std::size_t g = 0; g + 4 <= groups.size(); g += 4) {
    unsigned bits = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const std::size_t value = alphabet.find(groups[g + k]);
      bits = bits * 64 + (value == std::string_view::npos ? 0 : static_cast<unsigned>(value));
    }
    bytes += static_cast<char>(bits / 65536 % 256);
    bytes += static_cast<char>(bits / 256 % 256);
    bytes += static_cast<char>(bits % 256);
  }
  return bytes;
}

namespace {

bool IsLeadByte(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The characters of a Shift-JIS text: one or two bytes each.
std::vector<std::string> Characters(std::string_view text) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < text.size(); i += characters.back().size()) {
    characters.emplace_back(text.substr(i, IsLeadByte(text[i]) ? 2 : 1));
  }
  return characters;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsDeviceName(std::string_view component) {
  std::string base = Upper(component.substr(0, component.find('.')));
  while (!base.empty() && base.back() == ' ')
    base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"}) {
    if (base == device) return true;
  }
  for (const char* prefix : {"COM", "LPT"}) {
    for (char digit = '1'; digit <= '9'; ++digit) {
      if (base == std::string(prefix) + digit) return true;
    }
  }
  return false;
}

}  // namespace

// Bytes up to and including the last byte that is one of separators.
std::string UpToLastByteOf(std::string_view text, std::string_view separators) {
  std::string kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (separators.find(text[i]) != std::string_view::npos) kept = text.substr(0, i + 1);
  }
  return kept;
}

std::string FileNamePart(std::string_view path, bool windows) {
  return std::string(path.substr(UpToLastByteOf(path, windows ? "\\/:" : "/").size()));
}

std::string OutputPath(std::string_view source_path, std::string_view name, bool windows) {
  return UpToLastByteOf(source_path, windows ? "\\/:" : "/") + std::string(name);
}

// The UTF-8 characters of text, a byte that is part of none standing alone;
// the C library's converter tells which bytes make one.
std::vector<std::u32string> Utf8Characters(std::string_view text) {
  std::vector<std::u32string> characters;
  const iconv_t converter = ::iconv_open("UTF-32LE", "UTF-8");
  for (std::size_t i = 0; i < text.size();) {
    std::size_t taken = 1;
    char32_t code_point = static_cast<unsigned char>(text[i]) | 0x80000000u;  // no character
    for (std::size_t length = 1; length <= 4 && i + length <= text.size(); ++length) {
      std::string in(text.substr(i, length));
      char* in_at = in.data();
      std::size_t in_left = in.size();
      char32_t out = 0;
      char* out_at = reinterpret_cast<char*>(&out);
      std::size_t out_left = sizeof(out);
      ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
      if (::iconv(converter, &in_at, &in_left, &out_at, &out_left) != std::size_t(-1) &&
          in_left == 0 && out_left == 0) {
        code_point = out;
        taken = length;
        break;
      }
    }
    characters.push_back(std::u32string(1, code_point));
    i += taken;
  }
  ::iconv_close(converter);
  return characters;
}

bool IsUnsafeOutputName(std::string_view name, bool note_spelling, bool windows) {
  if (!name.empty() && (name[0] == '\\' || name[0] == '/')) return true;
  if (name.find(':') != std::string_view::npos) return true;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32 || c == 0x7F) return true;
  }
  if (!note_spelling) {
    for (const std::u32string& c : Utf8Characters(name)) {
      const char32_t code_point = c[0] & 0x7FFFFFFFu;
      if (code_point >= 0x80 && code_point <= 0x9F) return true;
    }
  }
  std::vector<std::string> components(1);
  bool refused = false;
  std::vector<std::string> characters;
  if (note_spelling) {
    characters = Characters(name);
  } else {
    for (char c : name)
      characters.emplace_back(1, c);
  }
  for (const std::string& c : characters) {
    if (c == "\\" || c == "/") {
      components.emplace_back();
      continue;
    }
    components.back() += c;
    if (c == "|") refused = true;
  }
  for (char c : name) {
    if (std::string_view("*?<>\"").find(c) != std::string_view::npos) {
      refused = true;
    }
  }
  for (const std::string& component : components) {
    if (component == "..") return true;
  }
  if (components.back().rfind(".marrowpin-", 0) == 0) return true;
  return windows && (refused || IsDeviceName(components.back()));
}

std::string PayloadBytes(std::string_view file_bytes, bool* found) {
  const std::vector<std::string> all = SplitLines(file_bytes);
  std::vector<std::string> payload;
  *found = false;
  for (const std::string& line : all) {
    if (*found) {
      payload.push_back(line);
    } else if (FindKey(line, "BASE64:") != std::string_view::npos) {
      *found = true;
      const std::string first_piece = HeaderValue(line);
      if (!first_piece.empty()) payload.push_back(first_piece);
    }
  }
  std::string bytes;
  std::string carry_over;
  for (const std::string& line : payload) {
    const std::string piece = TrimBlanks(carry_over) + TrimBlanks(line);
    if (FindKey(piece, "#Content-") != std::string_view::npos) continue;
    if (piece.empty() || FindKey(piece, "END:VNOTE") != std::string_view::npos) break;
    const std::size_t whole = piece.size() - piece.size() % 4;
    bytes += Base64Decode(piece.substr(0, whole));
    carry_over = piece.substr(whole);
  }
  return bytes;
}

}  // namespace marrowpin::reference
