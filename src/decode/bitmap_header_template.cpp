#include "decode/bitmap_header_template.h"

namespace marrowpin {

namespace {

void StoreLittleEndian(unsigned char* at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    at[i] = static_cast<unsigned char>(value >> (8 * i));
  }
}

constexpr std::int32_t kStartWidth = 132;
constexpr std::int32_t kStartHeight = 144;

}  // namespace

BitmapHeaderTemplate::BitmapHeaderTemplate() : bytes_{} {
  unsigned char* b = bytes_.data();
  b[0] = 'B';
  b[1] = 'M';
  // 38082 is the size of a 132 x 144 picture with this header; it is kept
  // whatever dimensions are set later.
  StoreLittleEndian(b + 2, kSize + kStartWidth * kStartHeight * 2, 4);
  StoreLittleEndian(b + 10, kSize, 4);   // pixel data follows the header
  StoreLittleEndian(b + 14, 40, 4);      // information header size
  StoreLittleEndian(b + 26, 1, 2);       // planes
  StoreLittleEndian(b + 28, 16, 2);      // bits per pixel
  StoreLittleEndian(b + 30, 3, 4);       // compression: colour masks follow
  StoreLittleEndian(b + 54, 0xF800, 4);  // red
  StoreLittleEndian(b + 58, 0x07E0, 4);  // green
  StoreLittleEndian(b + 62, 0x001F, 4);  // blue
  SetDimensions(kStartWidth, kStartHeight);
}

void BitmapHeaderTemplate::SetDimensions(std::int32_t width, std::int32_t height) {
  StoreLittleEndian(bytes_.data() + 18, static_cast<std::uint32_t>(width), 4);
  StoreLittleEndian(bytes_.data() + 22, static_cast<std::uint32_t>(height), 4);
}

}  // namespace marrowpin
