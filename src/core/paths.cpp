#include "core/paths.h"

namespace marrowpin {

namespace {

std::string_view Separators(PathStyle style) {
  return style == PathStyle::kPosix ? std::string_view("/") : std::string_view("\\/:");
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
  const std::size_t last = path.find_last_of(Separators(style));
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string FolderPrefix(std::string_view folder, PathStyle style) {
  std::string prefix(folder);
  if (!prefix.empty() && Separators(style).find(prefix.back()) == std::string_view::npos) {
    prefix += style == PathStyle::kPosix ? '/' : '\\';
  }
  return prefix;
}

std::string_view FolderWithSeparator(std::string_view path, PathStyle style) {
  const std::size_t last = path.find_last_of(Separators(style));
  return last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
}

}  // namespace marrowpin
