#pragma once

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/error.h"
#include "core/file_system.h"
#include "core/messages.h"

namespace marrowpin::testing {

// Notes held in memory, read at most read_size bytes at a time; reading
// fails once fail_after bytes of a note have been read. Writes nothing.
class MemoryFileSystem final : public FileSystem {
 public:
  std::map<std::string, std::string> notes;
  std::size_t read_size = 1 << 20;
  std::size_t fail_after = std::string::npos;

  bool FileExists(const std::string& path) override { return notes.count(path) == 1; }
  Entry EntryAt(const std::string& path) override {
    const std::optional<FileId> id = FileIdAt(path);
    return id ? Entry{Entry::Kind::kOther, *id} : Entry{};
  }
  // A note's place among the notes tells it from the others.
  std::optional<FileId> FileIdAt(const std::string& path) override {
    const auto note = notes.find(path);
    if (note == notes.end()) return std::nullopt;
    return FileId{0, static_cast<std::uint64_t>(std::distance(notes.begin(), note))};
  }
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    const auto note = notes.find(path);
    if (note == notes.end()) throw Error(messages::CannotOpenFile(path));
    return std::make_unique<MemoryFile>(note->second, read_size, fail_after, path);
  }
  std::unique_ptr<OutputFile> CreateForWriting(const std::string&, const std::string&) override {
    return nullptr;
  }

 private:
  class MemoryFile final : public InputFile {
   public:
    MemoryFile(std::string_view bytes, std::size_t read_size, std::size_t fail_after,
               std::string path)
        : bytes_(bytes), read_size_(read_size), fail_after_(fail_after), path_(std::move(path)) {}
    std::size_t Read(char* into, std::size_t size) override {
      if (read_ >= fail_after_) throw ReadError(messages::CannotReadFile(path_));
      const std::size_t got =
          std::min({size, read_size_, bytes_.size() - read_, fail_after_ - read_});
      std::copy_n(bytes_.data() + read_, got, into);
      read_ += got;
      return got;
    }
    std::uint64_t ExpectedSize() const override { return bytes_.size(); }

   private:
    std::string_view bytes_;
    std::size_t read_size_;
    std::size_t fail_after_;
    std::string path_;
    std::size_t read_ = 0;
  };
};

}  // namespace marrowpin::testing
