#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/conversion_progress.h"
#include "core/file_system.h"

namespace marrowpin {

// A piece of one line of a note, without its line end.
struct LineSlice {
  std::string_view text;
  // False when the line goes on in the next slice.
  bool ends_line = true;
};

// The lines of the note being converted, read in order, once. A source that
// holds a bounded part of the note at a time gives a line that goes past it
// in several slices; one that holds whole lines gives each as one slice.
class LineSource {
 public:
  virtual ~LineSource() = default;

  // Starts on the note at path, from its first line. Throws FileError when
  // the file cannot be opened (or, for a source that holds it whole, held).
  // A source whose loading or reading takes long tells progress, when
  // given, how far it has got.
  virtual void Open(const std::string& path, FileSystem& files, ConversionProgress* progress) = 0;
  // The next slice; false after the note's last line. The text stays valid
  // until the next call. Throws FileError when reading fails.
  virtual bool Next(LineSlice& slice) = 0;
  // Called when the header scan ends: at the payload's line, with the text
  // that follows its ":" as the payload's first piece, or after the last line
  // without one. A source that holds the note's lines drops those read so far
  // and keeps the first piece, if not empty, as its first line, so that it
  // holds the payload from then on.
  virtual void HeaderScanned(std::optional<std::string_view> /*first_piece*/) {}
  // The note's bytes from the start of the next line to the end of what the
  // source holds at the moment, for a reader that takes many whole lines at
  // once; empty when the next slice would not start a line, or when the
  // source gives lines only one by one.
  virtual std::string_view BytesAhead() { return {}; }
  // Goes past the first size bytes of BytesAhead(), whole lines with their
  // line ends.
  virtual void Pass(std::size_t /*size*/) {}
};

}  // namespace marrowpin
