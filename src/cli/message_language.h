#pragma once

#include <functional>

namespace marrowpin::cli {

// The value of an environment variable; nullptr when it is not set.
using EnvironmentVariable = std::function<const char*(const char* name)>;

// Whether the user's messages are to be Japanese: the locale that governs
// messages (LC_ALL, else LC_MESSAGES, else LANG) is a Japanese one.
bool WantsJapanese(const EnvironmentVariable& variable);

}  // namespace marrowpin::cli
