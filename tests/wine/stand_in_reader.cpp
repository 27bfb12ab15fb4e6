#include "stand_in_reader.h"

#include "unicode_text.h"

namespace marrowpin::wine_tests {

StandInReader::StandInReader(const std::string& folder, DWORD hold_ms)
    : pattern_(Wide(folder + "\\*")),
      folder_(Wide(folder + "\\")),
      hold_ms_(hold_ms),
      thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}

StandInReader::~StandInReader() {
  stop_ = true;
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

DWORD WINAPI StandInReader::Run(void* reader) {
  static_cast<StandInReader*>(reader)->Watch();
  return 0;
}

void StandInReader::Watch() {
  // Files are told apart by name and last write: a file written again, or
  // a temporary name used twice, is new again. What is there at the start
  // is not new.
  std::set<std::wstring> seen;
  for (bool first_pass = true; !stop_; first_pass = false) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern_.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        const std::wstring key = std::wstring(found.cFileName) + L"|" +
                                 std::to_wstring(found.ftLastWriteTime.dwLowDateTime) + L"|" +
                                 std::to_wstring(found.ftLastWriteTime.dwHighDateTime);
        if (!seen.insert(key).second || first_pass) continue;
        Hold(found.cFileName);
        LetGoOfExpired(false);
      } while (!stop_ && FindNextFileW(search, &found));
      FindClose(search);
    }
    LetGoOfExpired(false);
    Sleep(1);
  }
  LetGoOfExpired(true);
}

void StandInReader::LetGoOfExpired(bool all) {
  const DWORD now = GetTickCount();
  std::erase_if(holding_, [&](const HeldFile& held) {
    if (!all && static_cast<LONG>(now - held.until) < 0) return false;
    CloseHandle(held.file);
    return true;
  });
}

void StandInReader::Hold(const std::wstring& name) {
  const std::wstring path = folder_ + name;
  // Shares reading and writing, not deleting, as scanners do. While the
  // program still writes the file it shares nothing but deleting, and the
  // open fails: it is tried again at once, so that the file is held the
  // moment it is closed.
  HANDLE file;
  while ((file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr)) == INVALID_HANDLE_VALUE) {
    if (GetLastError() != ERROR_SHARING_VIOLATION || stop_) return;
  }
  // Held while the folder is watched on, as a scanner works on many files
  // at once.
  holding_.push_back({file, GetTickCount() + hold_ms_});
  ++held_;
  if (name.rfind(L".marrowpin-", 0) == 0) ++held_temporary_;
}

}  // namespace marrowpin::wine_tests
