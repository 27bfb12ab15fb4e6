#pragma once

// Slow, plain implementations of the note-file rules, written from the rules
// themselves and not from the program's code, for the fuzz targets and the
// unit tests to compare the program against.

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

// Path rules, on the bytes of a path: Windows paths end a folder at every
// "\", "/" or ":"; POSIX paths at every "/".
std::string FileNamePart(std::string_view path, bool windows);
// The source's folder up to and including its last separator, then the name.
std::string OutputPath(std::string_view source_path, std::string_view name, bool windows);
// Whether a name from a note must not be used: it starts at a root, holds
// ":", has a ".." component (at "\" or "/"), holds a control character
// (C0, DEL; in the path's spelling also U+0080 to U+009F and bytes 80 to 9F
// that are no part of a UTF-8 character), its last component starts
// ".marrowpin-", or on Windows its last component names a device or it holds
// a wildcard or one of <>|". In the note's spelling the name is read as
// Shift-JIS characters; in the path's, byte by byte.
bool IsUnsafeOutputName(std::string_view name, bool note_spelling, bool windows);

// The bytes a conversion writes after any bitmap header, or false in *found
// when no line opens a payload.
std::string PayloadBytes(std::string_view file_bytes, bool* found);

}  // namespace marrowpin::reference
