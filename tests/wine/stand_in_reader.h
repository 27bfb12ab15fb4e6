#pragma once

#include <windows.h>

#include <atomic>
#include <set>
#include <string>
#include <vector>

// Does to a folder what a virus scanner, the search indexer or a sync client
// does: opens every new file in it as soon as it can, for reading and
// without delete sharing, holds it for a moment and lets it go. While it
// holds a file, nobody can move, replace or remove it.
namespace marrowpin::wine_tests {

class StandInReader {
 public:
  // Watches folder (UTF-8) from now until destruction, holding each file it
  // opens for hold_ms while it watches on.
  StandInReader(const std::string& folder, DWORD hold_ms);
  ~StandInReader();
  StandInReader(const StandInReader&) = delete;
  StandInReader& operator=(const StandInReader&) = delete;

  // How many files it has held so far, and how many of them were the
  // program's temporary files (".marrowpin-*").
  int held() const { return held_; }
  int held_temporary() const { return held_temporary_; }

 private:
  static DWORD WINAPI Run(void* reader);
  void Watch();
  struct HeldFile {
    HANDLE file;
    DWORD until;  // GetTickCount
  };

  // Opens the file named name in the folder as soon as it can be opened,
  // and holds it for hold_ms.
  void Hold(const std::wstring& name);
  // Closes the files held long enough, or all of them.
  void LetGoOfExpired(bool all);

  std::wstring pattern_;
  std::wstring folder_;
  DWORD hold_ms_;
  std::atomic<bool> stop_{false};
  std::atomic<int> held_{0};
  std::atomic<int> held_temporary_{0};
  // Only the watching thread uses it.
  std::vector<HeldFile> holding_;
  HANDLE thread_;
};

}  // namespace marrowpin::wine_tests
