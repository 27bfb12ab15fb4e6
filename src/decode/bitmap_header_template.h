#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace marrowpin {

// The 66-byte header (file header, information header, RGB565 masks) that
// turns raw 16-bit pixels into a bitmap file. Only the width and height ever
// change; the file size field keeps its start value, 38082, whatever they are.
class BitmapHeaderTemplate {
 public:
  static constexpr std::size_t kSize = 66;

  BitmapHeaderTemplate();

  void SetDimensions(std::int32_t width, std::int32_t height);
  const std::array<unsigned char, kSize>& Bytes() const { return bytes_; }

 private:
  std::array<unsigned char, kSize> bytes_;
};

}  // namespace marrowpin
