#include "platform/user_language.h"

namespace marrowpin {

// A POSIX user chooses the language by the locale's variables alone.
std::string UserInterfaceLanguage() {
  return {};
}

}  // namespace marrowpin
