#pragma once

#include <string>
#include <string_view>

namespace marrowpin {

// The wide path that the file calls are given for one of the program's UTF-8
// paths: in the form without a length limit when it is too long for the
// plain one (see win_text::ExtendedLengthPath), so that long paths work
// whether or not the system allows them.
std::wstring WidePath(std::string_view path);

}  // namespace marrowpin
