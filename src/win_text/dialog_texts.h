#pragma once

#include <string>
#include <string_view>
#include <vector>

// The text formats of the common file dialog, in the program's UTF-8, kept
// apart from the window system so that they can be checked anywhere. No
// byte of a UTF-8 character beyond ASCII is a "|", a "\" or a zero.
namespace marrowpin::win_text {

// A filter written as "description|patterns|description|patterns" in the
// dialog's own form: each piece ends in a zero byte, and the list in one more
// (the returned string's terminator).
std::string DialogFilter(std::string_view filter);

// The full paths a dialog returned in its selection buffer, in its order:
// either one full path, or a folder followed by names, each ending in a zero
// byte and the list in an empty one.
std::vector<std::string> SelectedPaths(std::string_view buffer);

}  // namespace marrowpin::win_text
