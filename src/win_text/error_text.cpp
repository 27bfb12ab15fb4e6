#include "win_text/error_text.h"

namespace marrowpin::win_text {

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
    text.push_back('.');
  }
  return text;
}

}  // namespace marrowpin::win_text
