#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "core/error.h"
#include "core/messages.h"

namespace marrowpin {

// Reads the whole file at path through read_some(into, size), which returns
// how many bytes it read, 0 at the end (and throws on an error). The expected
// size (0 when unknown) is read into one block of that size. Past it (a file
// that grew, a device, a pipe) reading goes on in chunks until the end or a
// zero byte: the text ends at a zero byte anyway, and an endless device such
// as /dev/zero would otherwise never stop.
// prepare_block(data, size) sees the expected-size block before it is first
// touched, so a platform can choose how the memory behind it is provided.
// A file that cannot be held in memory (larger than a string can be, as a
// few GiB are for a 32-bit program, or more than the memory left) raises
// Error with the "too large" message for path instead of being read cut.
template <typename ReadSome, typename PrepareBlock>
std::string ReadWholeStream(const std::string& path, std::uint64_t expected_size,
                            ReadSome&& read_some, PrepareBlock&& prepare_block) {
  const auto read_up_to = [&](char* into, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
      const std::size_t got = read_some(into + filled, size - filled);
      if (got == 0) break;
      filled += got;
    }
    return filled;
  };

  if (expected_size > std::string().max_size()) throw Error(messages::FileTooLarge(path));
  try {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(expected_size));
    prepare_block(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<std::size_t>(expected_size));
    const std::size_t filled = read_up_to(bytes.data(), bytes.size());
    if (filled < bytes.size()) {
      bytes.resize(filled);
      return bytes;
    }
    char chunk[1 << 16];
    while (const std::size_t got = read_up_to(chunk, sizeof chunk)) {
      bytes.append(chunk, got);
      if (std::memchr(chunk, '\0', got) != nullptr) break;
    }
    return bytes;
  } catch (const std::bad_alloc&) {
    throw Error(messages::FileTooLarge(path));
  } catch (const std::length_error&) {
    throw Error(messages::FileTooLarge(path));
  }
}

template <typename ReadSome>
std::string ReadWholeStream(const std::string& path, std::uint64_t expected_size,
                            ReadSome&& read_some) {
  return ReadWholeStream(path, expected_size, read_some, [](char*, std::size_t) {});
}

}  // namespace marrowpin
