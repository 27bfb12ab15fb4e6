#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace marrowpin::win_text {

// The longest path, in UTF-16 units, that Windows takes in its plain form
// wherever it does not allow long paths: MAX_PATH less the room for an 8.3
// name that it keeps for folders.
inline constexpr std::size_t kLongestPlainPath = 247;

// The path (UTF-8) as the file calls are to be given it. One whose absolute
// form is no longer than kLongestPlainPath comes back unchanged, so that the
// system reads it as ever. A longer one comes back absolute, behind "\\?\"
// ("\\?\UNC\" for a "\\server\share" path), the form that has no length limit
// and that the system takes literally; so it is first resolved as the system
// resolves a plain path: "/" read as "\", runs of separators as one, "." and
// ".." parts taken away (never above the drive or the share), a single "." at
// the end of a folder's name and the dots and blanks at the end of the last
// name dropped. A relative or rooted ("\x") path is taken from
// current_folder. A path in that form already, a device path ("\\.\") and a
// path relative to the current folder of another drive come back unchanged.
std::string ExtendedLengthPath(std::string_view path, std::string_view current_folder);

}  // namespace marrowpin::win_text
