#include "cli/message_language.h"

#include <string_view>

namespace marrowpin::cli {

bool WantsJapanese(const EnvironmentVariable& variable) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = variable(name);
    if (value != nullptr && *value != '\0') return std::string_view(value).starts_with("ja");
  }
  return false;
}

}  // namespace marrowpin::cli
