#include "decode/base64_decode.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "decode/base64_groups.h"
#include "simd/vector_level.h"

namespace marrowpin {

namespace base64 {

namespace {

using PlaceTable = std::array<std::uint32_t, 256>;

// The word's fourth byte in memory, which no decoded byte uses: set for a
// character outside the 64 of the alphabet, so that ORing a run of groups
// tells whether all of them were clean.
constexpr std::uint32_t kOutsideMark =
    std::endian::native == std::endian::little ? 0x80000000u : 0x00000080u;

// For the character at one place of a group (0 to 3), the bits it gives each
// of the group's three bytes, laid out as those bytes lie in memory at the
// start of a 32-bit word. A group is then four lookups ORed together, stored
// as one word. A character's value is its position in the alphabet; "=" and
// any byte outside the alphabet count as 0.
constexpr PlaceTable MakePlaceTable(int place) {
  PlaceTable table{};
  table.fill(kOutsideMark);
  for (std::size_t value = 0; value < kBase64Alphabet.size(); ++value) {
    const std::uint32_t group_bits = static_cast<std::uint32_t>(value) << (18 - 6 * place);
    std::uint32_t word = 0;
    for (int byte = 0; byte < 3; ++byte) {
      const std::uint32_t byte_bits = (group_bits >> (16 - 8 * byte)) & 0xFF;
      const int memory_shift =
          std::endian::native == std::endian::little ? 8 * byte : 24 - 8 * byte;
      word |= byte_bits << memory_shift;
    }
    table[static_cast<unsigned char>(kBase64Alphabet[value])] = word;
  }
  return table;
}

constexpr PlaceTable kPlace0 = MakePlaceTable(0);
constexpr PlaceTable kPlace1 = MakePlaceTable(1);
constexpr PlaceTable kPlace2 = MakePlaceTable(2);
constexpr PlaceTable kPlace3 = MakePlaceTable(3);

std::uint32_t DecodeGroup(const unsigned char* in) {
  return kPlace0[in[0]] | kPlace1[in[1]] | kPlace2[in[2]] | kPlace3[in[3]];
}

}  // namespace

bool DecodeGroupsScalar(const unsigned char* in, std::size_t groups, unsigned char* out) {
  if (groups == 0) return true;
  std::uint32_t seen = 0;
  // Every group but the last stores a whole word; its fourth byte is
  // overwritten by the next group.
  for (std::size_t g = 1; g < groups; ++g, in += 4, out += 3) {
    const std::uint32_t word = DecodeGroup(in);
    seen |= word;
    std::memcpy(out, &word, 4);
  }
  const std::uint32_t last = DecodeGroup(in);
  seen |= last;
  std::memcpy(out, &last, 3);
  return (seen & kOutsideMark) == 0;
}

}  // namespace base64

std::size_t Base64Decode(std::string_view text, unsigned char* out, bool* only_alphabet) {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t groups = text.size() / 4;
  bool clean;
  switch (simd::ActiveLevel()) {
#if defined(__i386__) || defined(__x86_64__)
    case simd::VectorLevel::kAvx512Vbmi2:
      clean = base64::DecodeGroupsAvx512Vbmi(in, groups, out);
      break;
    case simd::VectorLevel::kAvx2:
      clean = base64::DecodeGroupsAvx2(in, groups, out);
      break;
    case simd::VectorLevel::kSsse3:
      clean = base64::DecodeGroupsSsse3(in, groups, out);
      break;
#endif
    default:
      clean = base64::DecodeGroupsScalar(in, groups, out);
      break;
  }
  if (only_alphabet != nullptr) *only_alphabet = clean;
  return groups * 3;
}

}  // namespace marrowpin
