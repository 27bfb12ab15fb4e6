#pragma once

#include <windows.h>

#include <string>

namespace marrowpin {

// The system's own text for an error code (GetLastError), in the user's
// language and UTF-8, without its line end; the code's number where the
// system has no text for it.
std::string SystemErrorText(DWORD error);

}  // namespace marrowpin
