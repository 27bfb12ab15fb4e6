#include "core/paths.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/sjis_text.h"

namespace marrowpin {

namespace {

bool IsWindowsStyle(PathStyle style) {
  return style != PathStyle::kPosix;
}

std::string_view Separators(PathStyle style) {
  return IsWindowsStyle(style) ? std::string_view("\\:") : std::string_view("/");
}

std::size_t LastSeparator(std::string_view path, PathStyle style) {
  if (style == PathStyle::kWindowsUtf8) return path.find_last_of(Separators(style));
  return FindLastSeparator(path, Separators(style));
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
bool HoldsCharacterWindowsRefuses(std::string_view name) {
  const bool control = std::any_of(name.begin(), name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 32; });
  return control || name.find_first_of("*?<>\"") != std::string_view::npos ||
         FindLastSeparator(name, "|") != std::string_view::npos;
}

}  // namespace

PathStyle NativePathStyle() {
#ifdef _WIN32
  return PathStyle::kWindowsUtf8;
#else
  return PathStyle::kPosix;
#endif
}

std::string_view FileNamePart(std::string_view path, PathStyle style) {
  const std::size_t last = LastSeparator(path, style);
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string_view FolderWithSeparator(std::string_view path, PathStyle style) {
  const std::size_t last = LastSeparator(path, style);
  return last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
}

std::string OutputPathFor(std::string_view source_path, std::string_view output_name,
                          PathStyle style) {
  // The folder as written, separator and all: a root ("\", "C:\", "/")
  // gets no second separator, and a drive-relative "D:" stays on that
  // drive's current folder.
  std::string path(FolderWithSeparator(source_path, style));
  path += output_name;
  return path;
}

bool IsUnsafeOutputName(std::string_view name, PathStyle style) {
  if (name.starts_with('\\') || name.starts_with('/')) return true;
  if (name.find(':') != std::string_view::npos) return true;
  // Components split at both separators, whatever the platform, so that a
  // name written for Windows cannot climb out of the folder anywhere.
  const std::size_t last_cut = FindLastSeparator(name, "\\/");
  const std::string_view last_component =
      last_cut == std::string_view::npos ? name : name.substr(last_cut + 1);
  if (IsWindowsStyle(style) &&
      (IsWindowsDeviceName(last_component) || HoldsCharacterWindowsRefuses(name))) {
    return true;
  }
  std::string_view rest = name;
  while (true) {
    const std::size_t cut = FindLastSeparator(rest, "\\/");
    const std::string_view component = cut == std::string_view::npos ? rest : rest.substr(cut + 1);
    if (component == "..") return true;
    if (cut == std::string_view::npos) break;
    rest = rest.substr(0, cut);
  }
  return false;
}

}  // namespace marrowpin
