#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/conversion_progress.h"
#include "core/file_system.h"
#include "core/line_source.h"
#include "core/messages.h"
#include "core/output_group.h"
#include "core/paths.h"
#include "core/protected_files.h"
#include "core/user_prompts.h"
#include "decode/bitmap_header_template.h"

namespace marrowpin {

// What a front end lends the conversion. The template belongs to the front
// end: its width and height stay from one conversion to the next.
struct ConversionServices {
  LineSource& lines;
  UserPrompts& prompts;
  FileSystem& files;
  BitmapHeaderTemplate& bitmap_header;
  // The texts shown, in the front end's language.
  const Messages& messages;
  PathStyle path_style;
  // Files beyond the note itself that no output may replace; none when null.
  const ProtectedFiles* protected_files = nullptr;
  // Told how far the note has got while it is loaded and written; none
  // when null.
  ConversionProgress* progress = nullptr;
  // Where outputs wait to take their names together; when null, each one
  // takes its name, and is on the disk, before the conversion returns.
  OutputGroup* outputs = nullptr;
};

// Extracts the base64 attachment of the note file at source_path into a file
// in the same folder. True when an output file was written and put in place,
// on the disk (or, with services.outputs, written whole and handed to that
// group, which tells of it once it is in place).
// A source that exists but cannot be opened, or is too large to hold, throws
// Error with its message (not caught here); one that fails while it is read is
// a failure shown with its own message.
bool ConvertFile(const std::string& source_path, const ConversionServices& services);

// The same, writing into output_folder (a folder path that ends in its
// separator, or empty for the current folder) instead, or beside the source
// when it is nullopt; written_path receives the output's path once the
// output is in place or handed to the group.
bool ConvertFile(const std::string& source_path, const ConversionServices& services,
                 std::optional<std::string_view> output_folder, std::string& written_path);

}  // namespace marrowpin
