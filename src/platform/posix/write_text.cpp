#include "platform/write_text.h"

#include <cerrno>
#include <cstring>

namespace marrowpin {

bool WriteText(std::FILE* stream, std::string_view text, std::string* failure_reason) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0 &&
      !std::ferror(stream)) {
    return true;
  }
  *failure_reason = errno != 0 ? std::strerror(errno) : "write error";
  return false;
}

}  // namespace marrowpin
