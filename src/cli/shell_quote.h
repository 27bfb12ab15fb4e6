#pragma once

#include <string>
#include <string_view>

namespace marrowpin::cli {

// How the bytes of a name are read as characters.
enum class NameCharacters {
  kLocale,  // the C library's LC_CTYPE locale (mbrtowc, iswprint)
  kUtf8,    // UTF-8, whatever the locale
};

// The name as the console program prints it: as it is when it is one shell
// word made only of printable characters; otherwise quoted so that a POSIX
// shell (bash, for the $'...' part) reads it back as the same bytes. Printable
// runs go in '...', a single quote becomes \', and every other byte (control
// characters, bytes that are no character) goes into $'...' as \n, \t and
// the like or as \ooo; the blank of a " -> " is written \040. A quoted name
// holds no control character, no line break and no " -> ", so a line
// "FILE -> OUTPUT" splits in one place.
std::string ShellQuoted(std::string_view name, NameCharacters characters);

// The name quoted as this build prints it: by the locale on POSIX systems,
// as UTF-8 on Windows, where the program's text is UTF-8.
std::string QuotedName(std::string_view name);

}  // namespace marrowpin::cli
