#include "win_text/application_title.h"

namespace marrowpin::win_text {

std::string ApplicationTitle(std::string_view module_path) {
  // No byte of a UTF-8 character beyond ASCII is a "\", a "." or a letter.
  const std::size_t separator = module_path.rfind('\\');
  std::string_view name =
      separator == std::string_view::npos ? module_path : module_path.substr(separator + 1);
  name = name.substr(0, name.find('.'));

  std::string title(name);
  for (std::size_t i = 1; i < title.size(); ++i) {
    if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
  }
  return title;
}

}  // namespace marrowpin::win_text
