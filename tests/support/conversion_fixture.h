#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "core/convert_file.h"
#include "core/stream_line_source.h"
#include "platform/native_file_system.h"

namespace marrowpin::testing {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

// Each test converts notes in a fresh folder of its own, removed whole afterwards,
// with the streaming line source and the real file services.
class ConversionFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    // Made afresh under TMPDIR, whatever the test's name holds.
    std::string folder = (fs::temp_directory_path() / "marrowpin-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr) << folder;
    folder_ = folder;
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Writes a note file into the folder and returns its path.
  fs::path Source(std::string_view bytes, const std::string& name = "note.vnt") {
    WriteFile(folder_ / name, bytes);
    return folder_ / name;
  }
  bool Convert(const fs::path& source, UserPrompts& prompts, FileSystem& files) {
    return ConvertFile(source.string(), ConversionServices{lines_, prompts, files, header_,
                                                           messages_, PathStyle::kPosix});
  }
  // Everything in the folder, as paths relative to it, sorted.
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
      names.push_back(fs::relative(entry.path(), folder_).string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
  StreamLineSource lines_;
  NativeFileSystem native_;
  BitmapHeaderTemplate header_;
  const Messages messages_{messages::kJapanese};
};

}  // namespace marrowpin::testing
