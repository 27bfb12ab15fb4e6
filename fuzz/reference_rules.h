#pragma once

// Slow, plain implementations of the note-file rules, written from the rules
// themselves and not from the program's code, for the fuzz targets to compare
// the program against.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marrowpin::reference {

// Lines of a whole file: CR LF, lone CR and lone LF end a line; the first
// zero byte ends the text; a line end at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);

// First position where key starts at a character start (a Shift-JIS lead
// byte and the byte after it form one character), or npos.
std::size_t FindKey(std::string_view text, std::string_view key);

// After the first ":" (the whole line without one), at most 255 bytes.
std::string HeaderValue(std::string_view line);

// The integer rule of header values; 0 for anything it does not accept.
std::int32_t ReadInteger(std::string_view text);

// Without bytes of value 32 or below at either end.
std::string TrimBlanks(std::string_view text);

// Three bytes for every four characters; "=" and bytes outside the alphabet
// count as 0.
std::string Base64Decode(std::string_view groups);

// Path rules. Windows paths end a folder at "\" or ":" where a character
// starts; POSIX paths at "/".
std::string FileNamePart(std::string_view path, bool windows);
// The source's folder up to and including its last separator, then the name.
std::string OutputPath(std::string_view source_path, std::string_view name, bool windows);
// Whether a name from a note must not be used: it starts at a root, holds
// ":", has a ".." component (at "\" or "/"), or on Windows its last
// component names a device or it holds a wildcard, one of <>|" or a control byte.
bool IsUnsafeOutputName(std::string_view name, bool windows);

// The bytes a conversion writes after any bitmap header, or false in *found
// when no line opens a payload.
std::string PayloadBytes(std::string_view file_bytes, bool* found);

}  // namespace marrowpin::reference
