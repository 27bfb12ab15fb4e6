#pragma once

#include <memory>

#include "core/file_system.h"

namespace marrowpin {

// An output whose WriteInBackground hands the bytes to a thread of its own,
// which writes them to file while the conversion decodes the next ones; every
// other call waits for that write first. The thread is started at the first
// such write, so a small output never starts one; where it cannot be started
// the bytes are written at once.
std::unique_ptr<OutputFile> WithBackgroundWrites(std::unique_ptr<OutputFile> file);

}  // namespace marrowpin
