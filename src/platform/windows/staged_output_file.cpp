// Every folder on the way from the output folder to the output is held open
// from the start of the output until it is in place, shared with no one who
// would delete or rename it: none of them can be swapped for a link or
// junction meanwhile, so the paths below keep leading where they did.
//
// NTFS journals a move but not the data moved: the bytes are flushed before
// the staged file takes its name, and the name is flushed with it, so that
// an output once in place survives a power cut. Each output is flushed on
// its own: FlushFileBuffers flushes the disk's cache every time, so many
// outputs together would save no flush.

#include "platform/staged_output_file.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "core/paths.h"
#include "platform/removal_on_interrupt.h"
#include "platform/sharing_retry.h"
#include "platform/staged_output_base.h"
#include "platform/temporary_file_name.h"
#include "platform/windows/file_holders.h"
#include "platform/windows/file_identity.h"
#include "platform/windows/link_rule.h"
#include "platform/windows/program_path.h"
#include "platform/windows/sharing_retries.h"
#include "platform/windows/system_error_text.h"
#include "platform/windows/wide_path.h"
#include "win_text/utf16.h"

namespace marrowpin {

namespace {

// ERROR_SUCCESS, or the system's error for a step that failed.
DWORD ErrorUnless(BOOL done) {
  return done ? ERROR_SUCCESS : GetLastError();
}

// WriteFile takes a 32-bit count; large blocks are written in pieces.
constexpr std::size_t kMaxWritePiece = std::size_t{1} << 30;
// The longest name a folder holds, in UTF-16 units.
constexpr std::size_t kMaxNameUnits = 255;

// The folder as a full path ending in its separator, so that every path
// below is full too (ReplaceFileW under Wine fails on a relative one).
// Empty when the system cannot tell.
std::string FullFolderPath(const std::string& folder) {
  const std::wstring wide = WidePath(folder.empty() ? "." : folder);
  std::wstring full(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD size =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size == 0) return {};
    if (size < full.size()) {
      full.resize(size);
      if (full.back() != L'\\' && full.back() != L'/') full += L'\\';
      return win_text::Utf8FromUtf16(std::wstring_view(full));
    }
    full.resize(size);
  }
  return {};
}

// Folder handles closed with their owner.
class HeldFolders {
 public:
  HeldFolders() = default;
  ~HeldFolders() {
    for (const HANDLE folder : folders_)
      CloseHandle(folder);
  }
  HeldFolders(HeldFolders&& other) noexcept : folders_(std::move(other.folders_)) {
    other.folders_.clear();
  }
  HeldFolders(const HeldFolders&) = delete;
  HeldFolders& operator=(const HeldFolders&) = delete;

  // Opens the folder at path and holds it; `own_links` opens a link or
  // junction there itself, which is refused. ERROR_SUCCESS when held. Opened
  // for listing: the system keeps the sharing of no handle that reads only
  // attributes, and such a handle would let the folder be renamed.
  DWORD Hold(const std::string& path, bool own_links) {
    const HANDLE folder = CreateFileW(
        WidePath(path).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | (own_links ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr);
    if (folder == INVALID_HANDLE_VALUE) return GetLastError();
    folders_.push_back(folder);
    const std::optional<FILE_ATTRIBUTE_TAG_INFO> info = AttributeTagOf(folder);
    if (!info) return GetLastError();
    // A folder kept in the cloud (a synced Desktop or Documents) is one of
    // its own; a link or junction could lead anywhere.
    if (LeadsElsewhere(info->FileAttributes, info->ReparseTag)) return ERROR_CANT_RESOLVE_FILENAME;
    if ((info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return ERROR_DIRECTORY;
    return ERROR_SUCCESS;
  }
  // The folder the output goes into: the last one held.
  HANDLE innermost() const { return folders_.empty() ? INVALID_HANDLE_VALUE : folders_.back(); }

 private:
  std::vector<HANDLE> folders_;
};

// The temporary file while it is open: dropped, it is removed through its
// handle (wherever it may have been moved meanwhile) and closed.
class OpenTemporaryFile {
 public:
  explicit OpenTemporaryFile(HANDLE file) : file_(file) {}
  ~OpenTemporaryFile() { Remove(); }
  OpenTemporaryFile(OpenTemporaryFile&& other) noexcept : file_(other.file_) {
    other.file_ = INVALID_HANDLE_VALUE;
  }
  OpenTemporaryFile(const OpenTemporaryFile&) = delete;
  OpenTemporaryFile& operator=(const OpenTemporaryFile&) = delete;

  HANDLE get() const { return file_; }
  bool is_open() const { return file_ != INVALID_HANDLE_VALUE; }
  // Removes the file, if still open, and closes it.
  void Remove() {
    if (!is_open()) return;
    FILE_DISPOSITION_INFO removal{TRUE};
    SetFileInformationByHandle(file_, FileDispositionInfo, &removal, sizeof removal);
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
  // Closes the file and keeps it; the system's error when closing fails.
  DWORD Close() {
    const HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    return CloseHandle(file) ? ERROR_SUCCESS : GetLastError();
  }

 private:
  HANDLE file_;
};

class StagedOutputFile final : public StagedOutputBase {
 public:
  // `replacing`: an entry stood at path when the output was started, which
  // the user chose to replace.
  // `pause` waits between the tries of a step that another program's
  // handle makes fail.
  StagedOutputFile(HeldFolders folders, OpenTemporaryFile file, std::string temporary_path,
                   std::string path, bool replacing, RetryPause pause, const messages::Texts& texts)
      : folders_(std::move(folders)),
        file_(std::move(file)),
        temporary_path_(std::move(temporary_path)),
        path_(std::move(path)),
        replacing_(replacing),
        pause_(std::move(pause)),
        texts_(texts),
        removal_(WidePath(temporary_path_)) {}
  // The file goes before it is no longer removed on an interrupt.
  ~StagedOutputFile() override {
    if (committed() || kept_) return;
    if (file_.is_open()) {
      file_.Remove();
    } else {
      // Closed by a commit that failed: only its path is left to remove it
      // by, and a scanner may have opened it since.
      const std::wstring temporary = WidePath(temporary_path_);
      RetriedWhileHeld([&] { return ErrorUnless(DeleteFileW(temporary.c_str())); }, pause_);
    }
  }
  StagedOutputFile(const StagedOutputFile&) = delete;
  StagedOutputFile& operator=(const StagedOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
      DWORD written = 0;
      const DWORD piece = static_cast<DWORD>(size < kMaxWritePiece ? size : kMaxWritePiece);
      if (!WriteFile(file_.get(), bytes, piece, &written, nullptr)) return Fail(GetLastError());
      if (written == 0) return Fail(ERROR_DISK_FULL);
      bytes += written;
      size -= written;
    }
    flushed_ = false;
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size);
    flushed_ = false;
    return (SetFilePointerEx(file_.get(), position, nullptr, FILE_BEGIN) &&
            SetEndOfFile(file_.get())) ||
           Fail(GetLastError());
  }
  // FlushFileBuffers writes the bytes and flushes the disk's cache: there
  // is nothing left for a later step to share.
  bool FinishWriting() override {
    if (!flushed_ && !FlushFileBuffers(file_.get())) return Fail(GetLastError());
    flushed_ = true;
    return true;
  }
  bool MakeDurable() override { return FinishWriting(); }
  bool Commit() override {
    if (!MakeDurable()) return false;
    if (const DWORD error = file_.Close()) return Fail(error);
    const std::wstring temporary = WidePath(temporary_path_);
    const std::wstring path = WidePath(path_);
    // An output the user chose to replace is replaced keeping its
    // attributes and security; a new one is moved into place, never over a
    // file that has appeared meanwhile: that one stays, and the move fails.
    // A move written through flushes the moved file, name and all, before
    // it returns. The file just closed is what scanners and indexers open
    // at once, and an old output may be open in a viewer: both are tried
    // again for a while.
    const auto move = [&] {
      return ErrorUnless(MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH));
    };
    const auto replace = [&] {
      return ErrorUnless(ReplaceFileW(path.c_str(), temporary.c_str(), nullptr,
                                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr));
    };
    replaced_ = replacing_ && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!replaced_) {
      if (const DWORD error = RetriedWhileHeld(move, pause_)) return FailHeld(error, {temporary});
    } else if (const DWORD error = ReplacedOrRetried(replace)) {
      if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        return FailHeld(error, {path, temporary});
      // The old output has left its name, and the new bytes are still under
      // the temporary one: they take the name now, or they stay where the
      // failure says.
      if (const DWORD move_error = RetriedWhileHeld(move, pause_)) {
        kept_ = true;
        removal_.Release();
        return FailHeld(move_error, {temporary}, KeptUnder(texts_, temporary_path_));
      }
      replaced_ = false;
    }
    MarkCommitted();
    removal_.Release();
    return true;
  }
  // ReplaceFileW has no write-through of its own: the replaced output is
  // flushed as a move written through flushes the moved file. A flush writes
  // the file's metadata, its names in its file record among them, and NTFS's
  // journal, which holds the replacement, before the disk's cache.
  // A viewer that shares reading only keeps it from being opened for a while.
  bool MakeNameDurable() override {
    if (!replaced_) return true;
    const std::wstring path = WidePath(path_);
    HANDLE output = INVALID_HANDLE_VALUE;
    const DWORD open_error = RetriedWhileHeld(
        [&] {
          output = CreateFileW(path.c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
          return output == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        },
        pause_);
    if (open_error) return FailHeld(open_error, {path});
    const bool flushed = FlushFileBuffers(output) != 0;
    const DWORD error = GetLastError();
    CloseHandle(output);
    return flushed || Fail(error);
  }
  std::optional<FileId> FolderId() const override { return IdOf(folders_.innermost()); }

 private:
  // The first replacement is tried here, the retries only where another
  // program's handle stood in its way: under Wine a replacement with a
  // long path tried from deeper down fails (ERROR_INVALID_NAME) where the
  // same call made here succeeds.
  template <typename Replace>
  DWORD ReplacedOrRetried(const Replace& replace) {
    const DWORD error = replace();
    return error != ERROR_SUCCESS && SharingRetryPause(error, 0) ? RetriedWhileHeld(replace, pause_)
                                                                 : error;
  }
  // Keeps the system's word on the first failure; always false.
  bool Fail(DWORD error) { return Failed(SystemErrorText(error)); }
  // The same for a step tried until the retries ran out, naming the
  // programs that hold the files where that was why; then what follows.
  bool FailHeld(DWORD error, const std::vector<std::wstring>& held, const std::string& then = {}) {
    std::string reason = SystemErrorText(error);
    if (SharingRetryPause(error, 0)) reason += HeldBy(texts_, ProgramsHolding(held));
    return Failed(reason + then);
  }

  HeldFolders folders_;
  OpenTemporaryFile file_;
  std::string temporary_path_;
  std::string path_;
  bool replacing_;
  bool flushed_ = false;
  // Put in place by ReplaceFileW.
  bool replaced_ = false;
  // Left under its temporary name, which the failure names: the old output
  // is gone, and these are the only bytes left.
  bool kept_ = false;
  RetryPause pause_;
  const messages::Texts& texts_;
  RemovalOnInterrupt removal_;
};

}  // namespace

std::unique_ptr<OutputFile> StartStagedOutput(const std::string& folder, const std::string& name,
                                              CreationFailure* failure, RetryPause pause,
                                              const messages::Texts& texts) {
  const auto fail = [&](DWORD error) {
    failure->reason = SystemErrorText(error);
    failure->name_too_long = error == ERROR_FILENAME_EXCED_RANGE;
    return nullptr;
  };
  std::string at = FullFolderPath(folder);
  if (at.empty()) return fail(GetLastError());
  HeldFolders held;
  // The output folder is the user's choice, a linked one included.
  if (const DWORD error = held.Hold(at, false)) return fail(error);
  std::string_view rest = name;
  for (std::size_t separator; (separator = rest.find_first_of("\\/")) != std::string_view::npos;
       rest.remove_prefix(separator + 1)) {
    if (separator == 0) continue;
    at += rest.substr(0, separator);
    if (const DWORD error = held.Hold(at, true)) return fail(error);
    at += '\\';
  }
  if (rest.empty()) return fail(ERROR_DIRECTORY);
  if (win_text::Utf16FromUtf8<wchar_t>(rest).size() > kMaxNameUnits)
    return fail(ERROR_FILENAME_EXCED_RANGE);
  const std::string path = at + std::string(rest);
  const std::optional<FILE_ATTRIBUTE_TAG_INFO> entry = AttributeTagAt(path);
  if (entry && (entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
      !LeadsElsewhere(entry->FileAttributes, entry->ReparseTag)) {
    return fail(ERROR_DIRECTORY);
  }
  // What stands at the name now is what the user chose to replace; a file
  // that appears there later is kept.
  const bool replacing = GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
    std::string temporary = at + TemporaryFileName();
    // CREATE_NEW: a new file, never one that is there. Shared for deleting
    // only, so that an interrupt can remove it while it is being written;
    // opened for deleting, so that it can be removed through its handle.
    OpenTemporaryFile file(CreateFileW(WidePath(temporary).c_str(), GENERIC_WRITE | DELETE,
                                       FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.is_open()) {
      return std::make_unique<StagedOutputFile>(std::move(held), std::move(file),
                                                std::move(temporary), path, replacing,
                                                std::move(pause), texts);
    }
    error = GetLastError();
  }
  // Controlled Folder Access refuses a new file in a protected folder
  // (Documents, Pictures, the Desktop) to programs it does not know, with
  // a reason that does not name it; the folder itself is held, so that a
  // file not found there is its doing too.
  fail(error);
  if (error == ERROR_ACCESS_DENIED || error == ERROR_FILE_NOT_FOUND)
    failure->reason +=
        ProtectedFolderHint(texts, FileNamePart(ProgramPath(), PathStyle::kWindowsUtf8));
  return nullptr;
}

}  // namespace marrowpin
