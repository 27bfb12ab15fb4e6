#include "core/output_name_rules.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/sjis_text.h"
#include "core/utf8.h"

namespace marrowpin {

namespace {

// The last of the bytes in `bytes` in name, as the spelling reads it.
std::size_t FindLast(std::string_view name, std::string_view bytes, NameSpelling spelling) {
  return spelling == NameSpelling::kNote ? FindLastSeparator(name, bytes)
                                         : name.find_last_of(bytes);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// Names that open a device instead of a file whatever extension follows
// them. Windows also drops blanks at the end of the part before the
// extension, so "NUL .bmp" and "COM1 .txt" are devices too (and "CON." is
// "CON" with an empty extension).
bool IsWindowsDeviceName(std::string_view component) {
  std::string_view stem = component.substr(0, component.find('.'));
  while (stem.ends_with(' '))
    stem.remove_suffix(1);
  static constexpr std::array<std::string_view, 7> kPlainDevices = {
      "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (std::string_view device : kPlainDevices) {
    if (EqualsIgnoringCase(stem, device)) return true;
  }
  if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9') {
    const std::string_view prefix = stem.substr(0, 3);
    return EqualsIgnoringCase(prefix, "COM") || EqualsIgnoringCase(prefix, "LPT");
  }
  return false;
}

// Characters that Windows reads as wildcards or redirections, or refuses in
// a name. Of these only "|" can be the second byte of a Shift-JIS character,
// and there it is part of that character.
bool HoldsCharacterWindowsRefuses(std::string_view name, NameSpelling spelling) {
  return name.find_first_of("*?<>\"") != std::string_view::npos ||
         FindLast(name, "|", spelling) != std::string_view::npos;
}

// C0 controls and DEL in any spelling; in the path's, also the C1 controls:
// U+0080 to U+009F in UTF-8, or bytes 80 to 9F that start no valid character
// (a terminal may take them as controls).
bool HoldsControlCharacter(std::string_view name, NameSpelling spelling) {
  const auto is_c0_or_del = [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  };
  if (std::any_of(name.begin(), name.end(), is_c0_or_del)) return true;
  if (spelling == NameSpelling::kNote) return false;
  while (!name.empty()) {
    char32_t code_point = 0;
    const std::size_t length = Utf8SequenceAt(name, code_point);
    if (length == 0) code_point = static_cast<unsigned char>(name[0]);
    if (code_point >= 0x80 && code_point <= 0x9F) return true;
    name.remove_prefix(std::max<std::size_t>(length, 1));
  }
  return false;
}

// Whether a folder on the way from folder to the output named path_name is
// a link or junction.
bool LeadsThroughLink(std::string_view folder, std::string_view path_name, PathStyle style,
                      FileSystem& files) {
  for (std::string_view rest = path_name;;) {
    const std::string_view subfolder = FolderWithSeparator(rest, style);
    if (subfolder.empty()) return false;
    rest = subfolder.substr(0, subfolder.size() - 1);
    if (files.EntryAt(std::string(folder) + std::string(rest)).kind == Entry::Kind::kLink) {
      return true;
    }
  }
}

}  // namespace

bool IsUnsafeOutputName(std::string_view name, NameSpelling spelling, PathStyle style) {
  if (name.starts_with('\\') || name.starts_with('/')) return true;
  if (name.find(':') != std::string_view::npos) return true;
  if (HoldsControlCharacter(name, spelling)) return true;
  // Components split at both separators, whatever the platform, so that a
  // name written for Windows cannot climb out of the folder anywhere.
  const std::size_t last_cut = FindLast(name, "\\/", spelling);
  const std::string_view last_component =
      last_cut == std::string_view::npos ? name : name.substr(last_cut + 1);
  if (last_component.starts_with(kTemporaryNamePrefix)) return true;
  if (style == PathStyle::kWindowsUtf8 &&
      (IsWindowsDeviceName(last_component) || HoldsCharacterWindowsRefuses(name, spelling))) {
    return true;
  }
  std::string_view rest = name;
  while (true) {
    const std::size_t cut = FindLast(rest, "\\/", spelling);
    const std::string_view component = cut == std::string_view::npos ? rest : rest.substr(cut + 1);
    if (component == "..") return true;
    if (cut == std::string_view::npos) break;
    rest = rest.substr(0, cut);
  }
  return false;
}

NoteOutputName OutputNameFromNote(std::string_view note_name, std::string_view folder,
                                  PathStyle style, FileSystem& files) {
  using Fault = NoteOutputName::Fault;
  const auto refused = [](Fault fault) { return NoteOutputName{fault, {}}; };
  if (note_name.empty()) return refused(Fault::kNoName);
  // The name guard judges the note's own bytes and the path's spelling alike.
  if (IsUnsafeOutputName(note_name, NameSpelling::kNote, style)) return refused(Fault::kRefused);
  std::string name = files.PathNameFromNote(note_name);
  // A name that cannot be spelled faithfully reads as none.
  if (name.empty()) return refused(Fault::kNoName);
  if (IsUnsafeOutputName(name, NameSpelling::kPath, style) ||
      LeadsThroughLink(folder, name, style, files)) {
    return refused(Fault::kRefused);
  }
  return {Fault::kNone, std::move(name)};
}

}  // namespace marrowpin
