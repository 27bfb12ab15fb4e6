#include "platform/windows/link_rule.h"

#include "platform/windows/wide_path.h"

namespace marrowpin {

std::optional<FILE_ATTRIBUTE_TAG_INFO> AttributeTagOf(HANDLE entry) {
  FILE_ATTRIBUTE_TAG_INFO info;
  if (entry == INVALID_HANDLE_VALUE ||
      !GetFileInformationByHandleEx(entry, FileAttributeTagInfo, &info, sizeof info)) {
    return std::nullopt;
  }
  return info;
}

std::optional<FILE_ATTRIBUTE_TAG_INFO> AttributeTagAt(const std::string& path) {
  const HANDLE entry = CreateFileW(
      WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  const std::optional<FILE_ATTRIBUTE_TAG_INFO> info = AttributeTagOf(entry);
  if (entry != INVALID_HANDLE_VALUE) CloseHandle(entry);
  return info;
}

}  // namespace marrowpin
