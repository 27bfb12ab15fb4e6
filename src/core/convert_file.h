#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/conversion_services.h"

namespace marrowpin {

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
