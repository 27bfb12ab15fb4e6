#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace marrowpin {

// How long to wait before retrying a move, replacement or removal of a file
// that failed with the Windows error `error` (GetLastError), when
// `retries_made` retries have failed before; nullopt when the failure is not
// one that passes by itself, or when the retries are used up. Virus
// scanners, the search indexer, sync clients and picture viewers open a file
// for a moment as soon as it is written or closed, and while they hold it
// the system refuses to move, replace or remove it; the pauses grow, and all
// of them together last a few seconds. Kept apart from the system's headers
// so that it can be checked anywhere.
std::optional<std::chrono::milliseconds> SharingRetryPause(std::uint32_t error, int retries_made);

}  // namespace marrowpin
