#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace marrowpin {

// A file opened for binary writing, without line-end translation.
class OutputFile {
 public:
  virtual ~OutputFile() = default;

  // False when not every byte could be written (a full disk, an I/O error).
  virtual bool Write(const void* data, std::size_t size) = 0;
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
  // The whole file, read while others may only read it. Throws Error with
  // the "cannot open" message when the file cannot be opened or read.
  virtual std::string ReadWholeFile(const std::string& path) = 0;
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
