#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace marrowpin::win_text {

// The message of an error that reached the top: the program's own for
// running out of memory, the error's own text for any other std::exception,
// and an empty message for any other thrown value.
std::string ErrorMessage(std::exception_ptr error);

// The text of an error box: the message, with a "." appended when its last
// byte sorts above "." (an empty message stays empty).
std::string ErrorBoxText(std::string_view message);

}  // namespace marrowpin::win_text
