#pragma once

#include <string>
#include <string_view>

#include "core/file_system.h"
#include "core/paths.h"

// Which output names a note may give, and where such a name leads.
namespace marrowpin {

// How a name is spelled where the name guard judges it.
enum class NameSpelling {
  // The bytes a note gives, Shift-JIS as a rule: a "\" or "|" that is the
  // second byte of a double-byte character is part of that character.
  kNote,
  // The name as it joins the path, after any conversion of its characters.
  kPath,
};

// The start of the names of the program's own temporary files. No name a
// note gives may begin so.
inline constexpr std::string_view kTemporaryNamePrefix = ".marrowpin-";

// True when an output name taken from a note file must not be used. It could
// write outside the source's folder: it starts at a root, names a drive or
// stream (":") or climbs with a ".." component, splitting at both "\" and
// "/" whatever the platform. Or it holds a control character (C0, DEL, C1)
// or names one of the program's temporary files. Or (Windows) it would
// write no file of that name: it names a device such as CON, "NUL .bmp" or
// CONIN$, or holds a wildcard, "<", ">", "|" or '"'.
bool IsUnsafeOutputName(std::string_view name, NameSpelling spelling, PathStyle style);

// The output name that a note gives, as the file system spells it, or why
// it cannot be used.
struct NoteOutputName {
  enum class Fault {
    kNone,
    kNoName,   // the note gives none, or one the file system cannot spell
    kRefused,  // see OutputNameFromNote
  };
  Fault fault = Fault::kNone;
  // The name as the file system spells it, subfolders and all; empty unless
  // the name may be used.
  std::string name;
};

// The output name for the one a note gives (its own bytes, as a rule
// Shift-JIS) in folder (ending in its separator, or empty for the current
// folder). The name is refused when IsUnsafeOutputName refuses the note's
// bytes or the path's spelling of them, or when a subfolder on its way is a
// link or junction, which could lead anywhere. `files` spells the name and
// tells links.
NoteOutputName OutputNameFromNote(std::string_view note_name, std::string_view folder,
                                  PathStyle style, FileSystem& files);

}  // namespace marrowpin
