#pragma once

#include "core/file_system.h"

namespace marrowpin {

// The file services of the platform this program was built for.
class NativeFileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& path) override;
};

}  // namespace marrowpin
