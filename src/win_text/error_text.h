#pragma once

#include <string>
#include <string_view>

namespace marrowpin::win_text {

// The text of an error box: the message, with a "." appended when its last
// byte sorts above "." (an empty message stays empty).
std::string ErrorBoxText(std::string_view message);

}  // namespace marrowpin::win_text
