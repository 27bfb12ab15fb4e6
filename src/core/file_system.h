#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace marrowpin {

// A file opened for reading.
class InputFile {
 public:
  virtual ~InputFile() = default;

  // Reads up to size bytes into `into`; 0 at the end of the file. Throws
  // ReadError when reading fails.
  virtual std::size_t Read(char* into, std::size_t size) = 0;
  // The file's size when it was opened; 0 when it has none (a pipe, a device).
  virtual std::uint64_t ExpectedSize() const = 0;
  // Whether path names this very file (through any spelling or link).
  virtual bool IsFileAt(const std::string& /*path*/) const { return false; }
};

// A file opened for binary writing, without line-end translation.
class OutputFile {
 public:
  virtual ~OutputFile() = default;

  // False when not every byte could be written (a full disk, an I/O error).
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Drops what was written after the first size bytes, so that the next
  // write follows them. False when that fails.
  virtual bool TruncateTo(std::uint64_t size) = 0;
  // False when buffered bytes could not be flushed or the close failed.
  virtual bool Close() = 0;
  // The system's own word on why Write or Close failed; empty when it gave none.
  virtual std::string FailureReason() const { return {}; }
};

// The few file services the conversion needs, on the platform's own paths.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when an entry exists at path and is not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  // Opens path for reading while others may only read it. Throws Error with
  // the "cannot open" message when the file cannot be opened.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
  // Creates or truncates path; nullptr when that fails.
  virtual std::unique_ptr<OutputFile> CreateForWriting(const std::string& path) = 0;
  // The system's own word on why the last CreateForWriting failed; empty when
  // it gave none.
  virtual std::string CreationFailureReason() const { return {}; }
  // How an output name read from a note (its own bytes, as a rule Shift-JIS)
  // is spelled in this file system's paths. The name has passed the name
  // guard already; by default its bytes are used as they are.
  virtual std::string PathNameFromNote(std::string_view note_name) {
    return std::string(note_name);
  }
};

}  // namespace marrowpin
