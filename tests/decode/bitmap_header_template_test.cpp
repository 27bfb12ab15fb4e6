#include "decode/bitmap_header_template.h"

#include <gtest/gtest.h>

#include <vector>

namespace marrowpin {
namespace {

std::vector<unsigned char> Slice(const BitmapHeaderTemplate& header, std::size_t at,
                                 std::size_t size) {
  const auto& bytes = header.Bytes();
  return std::vector<unsigned char>(bytes.begin() + at, bytes.begin() + at + size);
}

using Bytes = std::vector<unsigned char>;

TEST(BitmapHeaderTemplateTest, StartsAsA132By144Rgb565Header) {
  const BitmapHeaderTemplate header;
  const Bytes expected = {
      'B',  'M',  0xC2, 0x94, 0x00, 0x00, 0, 0, 0,    0, 66, 0, 0, 0,         // file header
      40,   0,    0,    0,    132,  0,    0, 0, 144,  0, 0,  0, 1, 0, 16, 0,  // info header
      3,    0,    0,    0,    0,    0,    0, 0, 0,    0, 0,  0, 0, 0, 0,  0,  //
      0,    0,    0,    0,    0,    0,    0, 0,                               //
      0x00, 0xF8, 0,    0,    0xE0, 0x07, 0, 0, 0x1F, 0, 0,  0};              // masks
  EXPECT_EQ(Slice(header, 0, BitmapHeaderTemplate::kSize), expected);
}

TEST(BitmapHeaderTemplateTest, SetDimensionsChangesOnlyWidthAndHeight) {
  BitmapHeaderTemplate header;
  const auto before = header.Bytes();
  header.SetDimensions(240, 320);
  EXPECT_EQ(Slice(header, 18, 8), (Bytes{0xF0, 0, 0, 0, 0x40, 0x01, 0, 0}));
  // The file size stays 38082 whatever the dimensions.
  EXPECT_EQ(Slice(header, 2, 4), (Bytes{0xC2, 0x94, 0, 0}));
  for (std::size_t i = 0; i < BitmapHeaderTemplate::kSize; ++i) {
    const bool is_dimension = i >= 18 && i < 26;
    if (!is_dimension) {
      EXPECT_EQ(header.Bytes()[i], before[i]) << "byte " << i;
    }
  }
}

TEST(BitmapHeaderTemplateTest, NegativeValuesAreTwosComplement) {
  BitmapHeaderTemplate header;
  header.SetDimensions(-2, -1);
  EXPECT_EQ(Slice(header, 18, 8), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

}  // namespace
}  // namespace marrowpin
