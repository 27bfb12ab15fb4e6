#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/error.h"
#include "core/file_system.h"

namespace marrowpin::testing {

// Files, links and folders held in memory. Notes are read at most read_size
// bytes at a time; reading fails once fail_after bytes of a note have been
// read. An output lands among the notes when it is committed; up to
// placed_together outputs take their names together.
class MemoryFileSystem final : public FileSystem {
 public:
  std::map<std::string, std::string> notes;
  // A link's path and the path it leads to.
  std::map<std::string, std::string> links;
  std::set<std::string> folders;
  std::size_t read_size = 1 << 20;
  std::size_t fail_after = std::string::npos;
  std::size_t placed_together = 1;

  bool FileExists(const std::string& path) override { return notes.count(Followed(path)) == 1; }
  Entry EntryAt(const std::string& path) override {
    if (links.count(path) == 1) return Entry{Entry::Kind::kLink, IdOf("link " + path)};
    if (folders.count(path) == 1) return Entry{Entry::Kind::kFolder, IdOf(path)};
    if (notes.count(path) == 1) return Entry{Entry::Kind::kFile, IdOf(path)};
    return Entry{};
  }
  std::string MissingFileReason(const std::string& path) override {
    return folders.count(Followed(path)) == 1 ? "a folder" : "nothing there";
  }
  std::string NotAFolderReason(const std::string& path) override {
    const std::string target = Followed(path);
    if (folders.count(target) == 1) return {};
    return notes.count(target) == 1 ? "a file" : "nothing there";
  }
  std::optional<FileId> FileIdAt(const std::string& path) override {
    const std::string target = Followed(path);
    if (notes.count(target) == 0 && folders.count(target) == 0) return std::nullopt;
    return IdOf(target);
  }
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    const auto note = notes.find(Followed(path));
    if (note == notes.end()) throw FileError(FileError::Step::kOpen, "nothing there");
    return std::make_unique<MemoryFile>(note->second, read_size, fail_after);
  }
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& folder,
                                               const std::string& name) override {
    const std::string path = folder + name;
    if (folders.count(path) == 1) return nullptr;
    return std::make_unique<MemoryOutput>(
        [this, path](std::string bytes) {
          links.erase(path);
          notes[path] = std::move(bytes);
        },
        IdOf(folder));
  }
  std::size_t OutputsPlacedTogether() const override { return placed_together; }

 private:
  // A file is told from the others by its path.
  static FileId IdOf(const std::string& path) { return FileId{1, std::hash<std::string>()(path)}; }
  std::string Followed(const std::string& path) const {
    const auto link = links.find(path);
    return link == links.end() ? path : link->second;
  }

  class MemoryFile final : public InputFile {
   public:
    MemoryFile(std::string_view bytes, std::size_t read_size, std::size_t fail_after)
        : bytes_(bytes), read_size_(read_size), fail_after_(fail_after) {}
    std::size_t Read(char* into, std::size_t size) override {
      if (read_ >= fail_after_) throw FileError(FileError::Step::kRead);
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
    std::size_t read_ = 0;
  };

  class MemoryOutput final : public OutputFile {
   public:
    MemoryOutput(std::function<void(std::string)> put, FileId folder)
        : put_(std::move(put)), folder_(folder) {}
    bool Write(const void* data, std::size_t size) override {
      bytes_.append(static_cast<const char*>(data), size);
      return true;
    }
    bool TruncateTo(std::uint64_t size) override {
      bytes_.resize(std::min<std::uint64_t>(size, bytes_.size()));
      return true;
    }
    bool FinishWriting() override { return true; }
    bool MakeDurable() override { return true; }
    bool Commit() override {
      put_(std::move(bytes_));
      return true;
    }
    bool MakeNameDurable() override { return true; }
    std::optional<FileId> FolderId() const override { return folder_; }

   private:
    std::function<void(std::string)> put_;
    FileId folder_;
    std::string bytes_;
  };
};

}  // namespace marrowpin::testing
