#pragma once

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

}  // namespace marrowpin
