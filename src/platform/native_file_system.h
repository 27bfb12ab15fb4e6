#pragma once

#include <chrono>

#include "core/file_system.h"

#ifdef _WIN32
#include "platform/windows/sharing_retries.h"
#else
#include "platform/posix/disk_flushes.h"
#endif

namespace marrowpin {

// The file services of the platform this program was built for. On Windows
// paths are UTF-8.
class NativeFileSystem final : public FileSystem {
 public:
  // How long the first read of a FIFO waits for a program to open it for
  // writing before it fails (POSIX).
  static constexpr std::chrono::milliseconds kFifoWriterWait{30'000};

  explicit NativeFileSystem(std::chrono::milliseconds fifo_writer_wait = kFifoWriterWait)
      : fifo_writer_wait_(fifo_writer_wait) {}

  bool FileExists(const std::string& path) override;
  Entry EntryAt(const std::string& path) override;
  std::string MissingFileReason(const std::string& path) override;
  std::string NotAFolderReason(const std::string& path) override;
  bool HasNoFolderOfItsOwn(const std::string& path) override;
  std::optional<FileId> FileIdAt(const std::string& path) override;
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& folder,
                                               const std::string& name) override;
  CreationFailure LastCreationFailure() const override { return creation_failure_; }
#ifndef _WIN32
  bool OutputsLookAtTheirName() const override {
    return true;
  }
  // Many: a journal commits the names and bytes of many files at once. As
  // many as the descriptor limit leaves room for, each output holding two.
  std::size_t OutputsPlacedTogether() const override;
#endif
#ifdef _WIN32
  // The note's Shift-JIS name in UTF-8; empty when it is no Shift-JIS text.
  std::string PathNameFromNote(std::string_view note_name) override;
  // Waits between the tries of an output's step that another program's
  // handle makes fail; sleeping unless set.
  void SetRetryPause(RetryPause pause) {
    retry_pause_ = std::move(pause);
  }
  void WordReasonsIn(const messages::Texts& texts) override {
    reason_texts_ = &texts;
  }
#else
  // POSIX names are UTF-8: a name that is not is read as Shift-JIS.
  std::string PathNameFromNote(std::string_view note_name) override;
#endif

 private:
  std::chrono::milliseconds fifo_writer_wait_;
  CreationFailure creation_failure_;
#ifdef _WIN32
  RetryPause retry_pause_ = SleepingPause;
  const messages::Texts* reason_texts_ = &messages::kEnglish;
#else
  DiskFlushes flushes_;
#endif
};

}  // namespace marrowpin
