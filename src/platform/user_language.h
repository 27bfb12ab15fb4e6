#pragma once

#include <string>

namespace marrowpin {

// The language the user chose for the system's texts, as its ISO 639 code
// ("ja", "en"); empty where the system keeps none apart from the locale's
// variables (POSIX), or it cannot be read.
std::string UserInterfaceLanguage();

}  // namespace marrowpin
