#include "core/stream_line_source.h"

namespace marrowpin {

StreamLineSource::StreamLineSource(std::size_t chunk_size)
    : chunk_size_(chunk_size > 0 ? chunk_size : 1) {}

void StreamLineSource::Open(const std::string& path, FileSystem& files) {
  file_.reset();
  held_ = std::string();
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

void StreamLineSource::BeforeWriting(const std::string& output_path) {
  if (!file_ || !file_->IsFileAt(output_path)) return;
  // The note is its own output: what is left of it is read before the file
  // is cut, and the lines come from memory from now on.
  held_ = std::string(splitter_.Rest());
  while (!splitter_.ended()) {
    const std::size_t got = file_->Read(buffer_.get(), chunk_size_);
    if (got == 0) break;
    held_.append(buffer_.get(), got);
    // The text ends at a zero byte: an endless device stops there too.
    if (held_.find('\0', held_.size() - got) != std::string::npos) break;
  }
  file_.reset();
  splitter_.Feed(held_);
}

}  // namespace marrowpin
