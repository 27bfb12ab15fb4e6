#include "cli/message_language.h"

#include <cstdlib>
#include <string_view>

#include "platform/user_language.h"

namespace marrowpin::cli {

const messages::Texts& TextsForLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      return std::string_view(value).starts_with("ja") ? messages::kJapanese : messages::kEnglish;
    }
  }
  // Where none is set, as on Windows as a rule, the language the user chose
  // for the system decides.
  return UserInterfaceLanguage() == "ja" ? messages::kJapanese : messages::kEnglish;
}

}  // namespace marrowpin::cli
