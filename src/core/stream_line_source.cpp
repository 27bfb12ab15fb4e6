#include "core/stream_line_source.h"

namespace marrowpin {

StreamLineSource::StreamLineSource(std::size_t chunk_size)
    : chunk_size_(chunk_size > 0 ? chunk_size : 1) {}

void StreamLineSource::Open(const std::string& path, FileSystem& files,
                            ConversionProgress* /*progress*/) {
  file_.reset();
  splitter_ = LineSplitter();
  file_ = files.OpenForReading(path);
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(chunk_size_);
}

bool StreamLineSource::Next(LineSlice& slice) {
  while (!splitter_.Next(slice)) {
    const std::size_t got =
        file_ && !splitter_.ended() ? file_->Read(buffer_.get(), chunk_size_) : 0;
    if (got == 0) {
      // The text has ended: the file is not needed any more.
      file_.reset();
      return splitter_.Finish(slice);
    }
    splitter_.Feed(std::string_view(buffer_.get(), got));
  }
  return true;
}

}  // namespace marrowpin
