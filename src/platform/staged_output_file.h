#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/file_system.h"

namespace marrowpin {

// Starts the output at path as OutputFile describes: its bytes go straight
// to a new temporary file in path's folder, created afresh (never through a
// link, never over another file) and put at path by Commit. nullptr, with
// the system's word in *failure_reason, when a folder stands at path or the
// temporary file cannot be created.
std::unique_ptr<OutputFile> StartStagedOutput(const std::string& path, std::string* failure_reason);

// A name for a temporary file in the folder of path: the folder, the
// program's temporary-name prefix and six random letters or digits. Short, so
// that it fits wherever an output of any valid name does.
std::string TemporaryPathBeside(std::string_view path);

}  // namespace marrowpin
