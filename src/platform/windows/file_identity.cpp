#include "platform/windows/file_identity.h"

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/file_identity.h"

namespace marrowpin {

std::optional<FileId> IdOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  if (file == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file, &info)) {
    return std::nullopt;
  }
  return FileId{info.dwVolumeSerialNumber,
                (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

std::optional<FileId> StandardStreamId(StandardStream stream) {
  switch (stream) {
    case StandardStream::kInput:
      return IdOf(GetStdHandle(STD_INPUT_HANDLE));
    case StandardStream::kOutput:
      return IdOf(GetStdHandle(STD_OUTPUT_HANDLE));
    case StandardStream::kError:
      return IdOf(GetStdHandle(STD_ERROR_HANDLE));
  }
  return std::nullopt;
}

}  // namespace marrowpin
