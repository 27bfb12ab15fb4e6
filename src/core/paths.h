#pragma once

#include <string>
#include <string_view>

// Path operations on the platform's own syntax. Windows paths separate at
// "\" and ":"; POSIX paths separate at "/".
namespace marrowpin {

enum class PathStyle {
  // Windows paths in Shift-JIS: a "\" that is the second byte of a
  // double-byte character is not a separator.
  kWindows,
  // Windows paths in UTF-8, where no byte of a character beyond ASCII is a
  // "\" or ":", so every such byte is a separator.
  kWindowsUtf8,
  kPosix,
};

// The style of the platform this program was built for; Windows file
// services take UTF-8 paths.
PathStyle NativePathStyle();

// The part after the last separator.
std::string_view FileNamePart(std::string_view path, PathStyle style);
// Up to and including the last separator; empty when there is none.
std::string_view FolderWithSeparator(std::string_view path, PathStyle style);

// Where the output named output_name of source_path goes: the source's
// folder with its separator, then the name. A source with no folder part
// writes into the current folder (the name alone).
std::string OutputPathFor(std::string_view source_path, std::string_view output_name,
                          PathStyle style);

// True when an output name taken from a note file must not be used. It could
// write outside the source's folder: it starts at a root, names a drive or
// stream (":") or climbs with a ".." component. Or (Windows) it would write
// no file of that name: it names a device such as CON, "NUL .bmp" or CONIN$,
// or holds a wildcard, "<", ">", "|", '"' or a control byte.
bool IsUnsafeOutputName(std::string_view name, PathStyle style);

}  // namespace marrowpin
