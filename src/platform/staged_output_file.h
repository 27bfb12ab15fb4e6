#pragma once

#include <memory>
#include <string>

#include "core/file_system.h"

#ifdef _WIN32
#include "platform/windows/sharing_retries.h"
#else
#include "platform/posix/disk_flushes.h"
#include "platform/posix/file_system_refusals.h"
#endif

namespace marrowpin {

// Starts the output named `name` in `folder` as FileSystem::CreateForWriting
// describes: its bytes go straight to a new temporary file, created afresh
// (never through a link, never over another file) in the output's own
// folder, which stays held until the output is in place. On Linux that file
// has no name until it is whole, where the file system can make such files.
// nullptr, with the reason in *failure, when it cannot be started.
#ifdef _WIN32
// `pause` waits between the tries of a move, replacement or removal that
// another program's handle makes fail. What a failure's reason adds to the
// system's words is worded from `texts`.
std::unique_ptr<OutputFile> StartStagedOutput(const std::string& folder, const std::string& name,
                                              CreationFailure* failure, RetryPause pause,
                                              const messages::Texts& texts);
#else
// The outputs of one run share its flushes of whole file systems. What
// `refused` names is taken as the file system's refusal, without asking it.
std::unique_ptr<OutputFile> StartStagedOutput(const std::string& folder, const std::string& name,
                                              CreationFailure* failure, DiskFlushes& flushes,
                                              FileSystemRefusals refused = {});
#endif

}  // namespace marrowpin
