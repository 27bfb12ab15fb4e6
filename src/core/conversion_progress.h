#pragma once

#include <cstdint>

namespace marrowpin {

// Told now and then how far the conversion of one note has got, while its
// lines are loaded and while its payload is written, so that a front end
// that converts on its window's thread can keep the window answering
// through a note of any size.
class ConversionProgress {
 public:
  virtual ~ConversionProgress() = default;

  // `done` of `total` steps of the note's work; total is above 0.
  virtual void Reached(std::uint64_t done, std::uint64_t total) = 0;
};

}  // namespace marrowpin
