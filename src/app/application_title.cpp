#include "app/application_title.h"

#include "core/sjis_text.h"

namespace marrowpin::app {

std::string ApplicationTitle(std::string_view module_path) {
  const std::size_t separator = FindLastSeparator(module_path, "\\");
  std::string_view name =
      separator == std::string_view::npos ? module_path : module_path.substr(separator + 1);
  // "." is never the second byte of a Shift-JIS character.
  name = name.substr(0, name.find('.'));

  std::string title(name);
  std::size_t i = 0;
  bool first = true;
  while (i < title.size()) {
    const unsigned char byte = static_cast<unsigned char>(title[i]);
    if (IsShiftJisLeadByte(byte)) {
      i += 2;
    } else {
      if (!first && byte >= 'A' && byte <= 'Z') {
        title[i] = static_cast<char>(byte - 'A' + 'a');
      }
      ++i;
    }
    first = false;
  }
  return title;
}

}  // namespace marrowpin::app
