#pragma once

#include <string>
#include <string_view>

namespace marrowpin::win_text {

// The application's title from the executable's path (UTF-8): its file name
// up to the first ".", the first character as it is and the rest in lower
// case ("C:\Tools\MARROWPIN.EXE" gives "Marrowpin").
std::string ApplicationTitle(std::string_view module_path);

}  // namespace marrowpin::win_text
