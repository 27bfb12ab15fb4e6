#pragma once

#include <functional>
#include <string_view>

namespace marrowpin::cli {

// The value of an environment variable; nullptr when it is not set.
using EnvironmentVariable = std::function<const char*(const char* name)>;

// Whether the user's messages are to be Japanese: the locale that governs
// messages (LC_ALL, else LC_MESSAGES, else LANG) is a Japanese one; where
// none of them is set, as on Windows as a rule, the user's language for the
// system's texts (UserInterfaceLanguage()) is Japanese ("ja").
bool WantsJapanese(const EnvironmentVariable& variable, std::string_view user_language);

}  // namespace marrowpin::cli
