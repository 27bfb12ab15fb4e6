#pragma once

#include <string>
#include <string_view>

// Path operations on the platform's own syntax, byte for byte as the file
// system spells its paths (UTF-8 on Windows; any bytes on POSIX): every
// separator byte separates. Windows paths separate at "\", "/" and ":";
// POSIX paths at "/".
namespace marrowpin {

enum class PathStyle {
  kWindowsUtf8,
  kPosix,
};

// The style of the platform this program was built for; Windows file
// services take UTF-8 paths.
PathStyle NativePathStyle();

// The part after the last separator.
std::string_view FileNamePart(std::string_view path, PathStyle style);
// Up to and including the last separator; empty when there is none. An
// output goes into its source's folder so written, its name joined to it: a
// root ("\\", "C:\\", "/") gets no second separator, a drive-relative "D:"
// stays on that drive's current folder, and a bare file name's output goes
// into the current folder.
std::string_view FolderWithSeparator(std::string_view path, PathStyle style);

// The folder as the start of the paths in it: ending in a separator (the
// style's own is added where it ends in none). Empty stays empty.
std::string FolderPrefix(std::string_view folder, PathStyle style);

}  // namespace marrowpin
