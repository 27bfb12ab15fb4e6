#include "platform/source_without_folder.h"

#include <windows.h>

#include "platform/windows/wide_path.h"

namespace marrowpin {

bool HasNoFolderOfItsOwn(const std::string& path) {
  // Opened for no access at all, which reads nothing from a pipe or device.
  const HANDLE file =
      CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool stream = GetFileType(file) != FILE_TYPE_DISK;
  CloseHandle(file);
  return stream;
}

}  // namespace marrowpin
