#pragma once

#include <string>
#include <string_view>

namespace marrowpin::app {

// The application's title from the executable's path: its file name up to
// the first ".", the first character as it is and the rest in lower case
// ("C:\Tools\MARROWPIN.EXE" gives "Marrowpin"). Shift-JIS aware.
std::string ApplicationTitle(std::string_view module_path);

}  // namespace marrowpin::app
