#include "cli/message_language.h"

namespace marrowpin::cli {

bool WantsJapanese(const EnvironmentVariable& variable, std::string_view user_language) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = variable(name);
    if (value != nullptr && *value != '\0') return std::string_view(value).starts_with("ja");
  }
  return user_language == "ja";
}

}  // namespace marrowpin::cli
