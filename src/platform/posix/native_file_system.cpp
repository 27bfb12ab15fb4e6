#include "platform/native_file_system.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "core/error.h"
#include "platform/posix/file_identity.h"
#include "platform/posix/name_recoding.h"
#include "platform/posix/posix_input_file.h"
#include "platform/removal_on_interrupt.h"
#include "platform/source_without_folder.h"
#include "platform/staged_output_file.h"

namespace marrowpin {

namespace {

std::string ReasonFromErrno() {
  return std::strerror(errno);
}

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

Entry NativeFileSystem::EntryAt(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return Entry{};
  const Entry::Kind kind = S_ISLNK(info.st_mode)   ? Entry::Kind::kLink
                           : S_ISDIR(info.st_mode) ? Entry::Kind::kFolder
                                                   : Entry::Kind::kFile;
  return Entry{kind, IdOf(info)};
}

std::string NativeFileSystem::MissingFileReason(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return ReasonFromErrno();
  return S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : std::string();
}

std::string NativeFileSystem::NotAFolderReason(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return ReasonFromErrno();
  return S_ISDIR(info.st_mode) ? std::string() : std::strerror(ENOTDIR);
}

bool NativeFileSystem::HasNoFolderOfItsOwn(const std::string& path) {
  return marrowpin::HasNoFolderOfItsOwn(path);
}

std::optional<FileId> NativeFileSystem::FileIdAt(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return IdOf(info);
}

std::unique_ptr<InputFile> NativeFileSystem::OpenForReading(const std::string& path) {
  // Not blocking: opening a FIFO that has no writer would wait for one for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info;
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    const std::string reason = ReasonFromErrno();
    if (fd >= 0) ::close(fd);
    throw FileError(FileError::Step::kOpen, reason);
  }
  const std::uint64_t expected_size = S_ISREG(info.st_mode) ? std::uint64_t(info.st_size) : 0;
  // A FIFO waits for its writer at the first read; anything else (a terminal,
  // a device) is read blocking from the start.
  const bool fifo = S_ISFIFO(info.st_mode);
  // The note is read once from start to end.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return ReadFromDescriptor(fd, expected_size,
                            fifo ? std::optional(fifo_writer_wait_) : std::nullopt);
}

std::size_t NativeFileSystem::OutputsPlacedTogether() const {
  // Well below the limit: the run holds its notes and streams open too.
  constexpr rlim_t kMost = 64;
  static_assert(kMost < kMostRegisteredRemovals, "every named temporary file is removed");
  rlimit descriptors{};
  if (::getrlimit(RLIMIT_NOFILE, &descriptors) != 0) return 1;
  return static_cast<std::size_t>(std::clamp<rlim_t>(descriptors.rlim_cur / 8, 1, kMost));
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& folder,
                                                               const std::string& name) {
  creation_failure_ = {};
  return StartStagedOutput(folder, name, &creation_failure_, flushes_);
}

std::string NativeFileSystem::PathNameFromNote(std::string_view note_name) {
  return PosixNameFromNote(note_name);
}

}  // namespace marrowpin
