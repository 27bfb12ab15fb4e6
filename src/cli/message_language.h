#pragma once

#include "core/messages.h"

namespace marrowpin::cli {

// The texts for the user's locale: Japanese when the locale that governs
// messages (LC_ALL, else LC_MESSAGES, else LANG) is a Japanese one, or when
// none of them is set and the user's language for the system's texts is
// Japanese; English otherwise.
const messages::Texts& TextsForLocale();

}  // namespace marrowpin::cli
