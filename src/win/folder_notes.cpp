#include "win/folder_notes.h"

#include <windows.h>

#include <algorithm>

#include "platform/reparse_tag.h"
#include "platform/windows/wide_path.h"
#include "win/wide_text.h"
#include "win_text/batch_texts.h"

namespace marrowpin::win {

namespace {

// Entries looked at between two calls of keep_going.
constexpr int kEntriesPerStep = 64;

class FolderScan {
 public:
  explicit FolderScan(const std::function<bool()>& keep_going) : keep_going_(keep_going) {}

  // Adds the notes of folder, a path that ends in its separator.
  bool Scan(const std::string& folder, std::vector<std::string>& notes) {
    std::vector<std::string> files;
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileExW(WidePath(folder + "*").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return true;
    do {
      const std::string name = Utf8(entry.cFileName);
      // Links, junctions and the like lead elsewhere; files kept in the cloud
      // or deduplicated are files and folders of their own.
      if (name == "." || name == ".." || LeadsElsewhere(entry.dwFileAttributes, entry.dwReserved0))
        continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        subfolders.push_back(name);
      } else if (win_text::IsNoteName(name)) {
        files.push_back(name);
      }
      if (++entries_ % kEntriesPerStep == 0 && !keep_going_()) {
        FindClose(search);
        return false;
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);

    std::sort(files.begin(), files.end(), win_text::ComesBeforeByName);
    std::sort(subfolders.begin(), subfolders.end(), win_text::ComesBeforeByName);
    for (const std::string& file : files)
      notes.push_back(folder + file);
    for (const std::string& subfolder : subfolders) {
      if (!Scan(folder + subfolder + "\\", notes)) return false;
    }
    return true;
  }

 private:
  const std::function<bool()>& keep_going_;
  int entries_ = 0;
};

}  // namespace

std::vector<std::string> NotesInFolder(const std::string& folder,
                                       const std::function<bool()>& keep_going) {
  std::vector<std::string> notes;
  const bool ends_in_separator = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  FolderScan(keep_going).Scan(ends_in_separator ? folder : folder + "\\", notes);
  return notes;
}

}  // namespace marrowpin::win
