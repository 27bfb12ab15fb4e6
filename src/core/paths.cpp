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

char Separator(PathStyle style) {
  return IsWindowsStyle(style) ? '\\' : '/';
}

std::size_t LastSeparator(std::string_view path, PathStyle style) {
  if (style == PathStyle::kWindows) return FindLastSeparator(path, Separators(style));
  return path.find_last_of(Separators(style));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 open devices whatever extension
// follows them.
bool IsWindowsDeviceName(std::string_view component) {
  const std::string_view stem = component.substr(0, component.find('.'));
  static constexpr std::array<std::string_view, 4> kPlainDevices = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : kPlainDevices) {
    if (EqualsIgnoringCase(stem, device)) return true;
  }
  if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9') {
    const std::string_view prefix = stem.substr(0, 3);
    return EqualsIgnoringCase(prefix, "COM") || EqualsIgnoringCase(prefix, "LPT");
  }
  return false;
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

std::string_view FolderWithoutSeparator(std::string_view path, PathStyle style) {
  std::string_view folder = FolderWithSeparator(path, style);
  // Drop a trailing "\" or "/" unless it is the root's own: the first byte,
  // or one that follows another separator such as a drive's ":".
  if (folder.size() > 1 && folder.back() == Separator(style)) {
    const std::string_view before = folder.substr(0, folder.size() - 1);
    if (LastSeparator(before, style) != before.size() - 1) {
      folder.remove_suffix(1);
    }
  }
  return folder;
}

std::string OutputPathFor(std::string_view source_path, std::string_view output_name,
                          PathStyle style) {
  if (FolderWithSeparator(source_path, style).empty()) {
    return std::string(output_name);
  }
  std::string path(FolderWithoutSeparator(source_path, style));
  path += Separator(style);
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
  if (IsWindowsStyle(style) && IsWindowsDeviceName(last_component)) return true;
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
