#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/file_system.h"

namespace marrowpin {

// A note read with read(2) from fd, opened without blocking, which the
// result closes. With fifo_writer_wait, fd is a FIFO whose first read waits
// that long for a program to open it for writing; anything else is read
// blocking from the start.
std::unique_ptr<InputFile> ReadFromDescriptor(
    int fd, std::uint64_t expected_size, std::optional<std::chrono::milliseconds> fifo_writer_wait);

}  // namespace marrowpin
