#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/line_source.h"
#include "core/line_splitter.h"

namespace marrowpin {

// Reads a note in chunks into one buffer that is reused from chunk to chunk,
// splitting lines as they come: memory stays the same for a note of any size,
// and a line longer than a chunk comes in slices.
class StreamLineSource final : public LineSource {
 public:
  // Small enough that a chunk read stays in the CPU's cache while its lines
  // are searched and decoded: measured 2 to 5 % less time than 1 MiB.
  static constexpr std::size_t kDefaultChunkSize = std::size_t{256} << 10;

  explicit StreamLineSource(std::size_t chunk_size = kDefaultChunkSize);

  // Reads as it goes, in chunks: it has no loading to tell of.
  void Open(const std::string& path, FileSystem& files, ConversionProgress* progress) override;
  bool Next(LineSlice& slice) override;
  std::string_view BytesAhead() override { return splitter_.Ahead(); }
  void Pass(std::size_t size) override { splitter_.Pass(size); }

 private:
  std::size_t chunk_size_;
  std::unique_ptr<char[]> buffer_;
  std::unique_ptr<InputFile> file_;
  LineSplitter splitter_;
};

}  // namespace marrowpin
