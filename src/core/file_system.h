#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/messages.h"

namespace marrowpin {

// What tells one file from another on one machine: its device (volume) and
// its number there.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t index = 0;
  auto operator<=>(const FileId&) const = default;
};

// The entry at a path itself: a link is not followed.
struct Entry {
  enum class Kind {
    kNone,    // nothing there
    kFolder,  // a folder that is no link
    kLink,    // a symbolic link or junction, whatever it points to (or not)
    kFile,    // anything else: a regular file, a FIFO, a device node
  };
  Kind kind = Kind::kNone;
  FileId id;
};

// A file opened for reading.
class InputFile {
 public:
  virtual ~InputFile() = default;

  // Reads up to size bytes into `into`; 0 at the end of the file. Throws
  // FileError (kRead) when reading fails.
  virtual std::size_t Read(char* into, std::size_t size) = 0;
  // The file's size when it was opened; 0 when it has none (a pipe, a device).
  virtual std::uint64_t ExpectedSize() const = 0;
};

// An output being written. Its bytes go to a temporary file of its own in
// the output's folder (on Linux one without a name), private to its owner
// until it is in place; Commit puts that file at the output's name in one
// step, replacing the entry there (never what a link there points to). An
// output dropped without a successful Commit leaves nothing: the temporary
// file is removed and the entry at the name stays as it was.
class OutputFile {
 public:
  virtual ~OutputFile() = default;

  // False when not every byte could be written (a full disk, an I/O error).
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Drops what was written after the first size bytes, so that the next
  // write follows them. False when that fails.
  virtual bool TruncateTo(std::uint64_t size) = 0;
  // Putting an output in place takes four steps, which a group of outputs
  // (OutputGroup) takes step by step, so that one flush of the disk serves
  // them all:
  //
  // No more bytes come: whatever is left to be done before they can be
  // flushed to the disk is done now, so that one flush then serves the
  // outputs of a group together.
  virtual bool FinishWriting() = 0;
  // Waits until every byte is on the disk, flushing it unless a flush
  // since FinishWriting has served this output already.
  virtual bool MakeDurable() = 0;
  // Gives the file the output's name, once its bytes are durable (made so
  // here where they are not yet): a power cut after this leaves either the
  // old output or the whole new one. False when that fails; then nothing is
  // left, unless the old output has gone from the name and the new bytes
  // could not take it: they are then kept, and FailureReason names where.
  virtual bool Commit() = 0;
  // Waits until the name is on the disk too, flushing it unless a flush
  // since Commit has done so already: the output survives a power cut from
  // now on. False when that fails: a new output is then taken back, a
  // replacing one stays in place.
  virtual bool MakeNameDurable() = 0;
  // The folder the output's name goes into, as the output holds it;
  // nullopt when the system tells no identity.
  virtual std::optional<FileId> FolderId() const = 0;
  // The system's own word on why a step failed; empty when it gave none.
  virtual std::string FailureReason() const { return {}; }
  // What stood at the output's name when the output was started, as the one
  // look that decides about it saw it: whether the user is asked before it
  // is replaced, and what it hands on. Commit replaces that entry only, and
  // fails where another has taken its place or one has come to a free name.
  // nullopt where the platform takes no such look: the caller looks itself.
  virtual std::optional<Entry> EntryAtName() const { return std::nullopt; }
};

// Why CreateForWriting started no output.
struct CreationFailure {
  // The system's own word; empty when it gave none.
  std::string reason;
  // The name's last part is longer than its folder can hold: another name may do.
  bool name_too_long = false;
};

// The few file services the conversion needs, on the platform's own paths.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when an entry exists at path and is not a folder, following links:
  // a note can be read from there.
  virtual bool FileExists(const std::string& path) = 0;
  // What is at path, without following a link there.
  virtual Entry EntryAt(const std::string& path) = 0;
  // The system's word on why no note can be read at path (nothing there, a
  // folder, no right to look); empty when it gives none.
  virtual std::string MissingFileReason(const std::string& /*path*/) { return {}; }
  // The system's word on why path, links followed, is no folder that outputs
  // can go into; empty when it is one.
  virtual std::string NotAFolderReason(const std::string& path) = 0;
  // True when the file at path is read as a stream, without a folder of its
  // own that its outputs could go into (a device, a pipe, /dev/stdin). By
  // default none is.
  virtual bool HasNoFolderOfItsOwn(const std::string& /*path*/) { return false; }
  // The file that path leads to, following links; nullopt when there is none.
  virtual std::optional<FileId> FileIdAt(const std::string& path) = 0;
  // Opens path for reading while others may only read it. Throws FileError
  // (kOpen) with the system's word when the file cannot be opened.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
  // Starts the output named `name` in `folder` (a folder path that ends in
  // its separator, or empty for the current folder); see OutputFile. The
  // folder is held from here to the output's Commit, and each subfolder part
  // of the name is walked from it without following a link, so that no
  // folder swapped in meanwhile can take the output elsewhere. nullptr when
  // a part of the name is missing, a link or no folder, a folder stands at
  // the name, the name is too long or the temporary file cannot be created.
  virtual std::unique_ptr<OutputFile> CreateForWriting(const std::string& folder,
                                                       const std::string& name) = 0;
  // Why the last CreateForWriting failed.
  virtual CreationFailure LastCreationFailure() const { return {}; }
  // How many outputs may wait to take their names together (see
  // OutputGroup): one where a flush costs as much for many outputs as for
  // one.
  virtual std::size_t OutputsPlacedTogether() const { return 1; }
  // Whether each output looks at the entry at its name as it starts (see
  // OutputFile::EntryAtName), so that it is started before the user is asked
  // about that entry. By default none does.
  virtual bool OutputsLookAtTheirName() const { return false; }
  // How an output name read from a note (its own bytes, as a rule Shift-JIS)
  // is spelled in this file system's paths; empty when it cannot be. By
  // default its bytes are used as they are.
  virtual std::string PathNameFromNote(std::string_view note_name) {
    return std::string(note_name);
  }
  // The language of the words a file system adds to the system's reason for
  // a failure (Windows: who holds the file, where new bytes were kept), in
  // the front end's own; English until told. By default it adds none.
  virtual void WordReasonsIn(const messages::Texts& /*texts*/) {}
};

}  // namespace marrowpin
