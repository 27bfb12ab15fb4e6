#pragma once

#include <windows.h>

#include <string_view>

namespace marrowpin::win {

// A font of the face (UTF-8) and character height in screen pixels that
// shows Japanese on any Windows: the face itself (or the system's substitute
// for it) when it shows the program's texts, else a face the system has for
// Japanese text that does, of the same pitch where there is one. The caller
// deletes it.
HFONT CreateJapaneseFont(std::string_view face, int height, bool fixed_pitch);

// The font of the system's message boxes, or, when it lacks Japanese
// characters, the Japanese face of the program's window at its height; sized
// for a window drawn at dpi.
HFONT CreateJapaneseMessageFont(int dpi);

}  // namespace marrowpin::win
