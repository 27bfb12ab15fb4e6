#include "decode/base64_decode.h"

#include <array>
#include <cstdint>

namespace marrowpin {

namespace {

using ShiftedTable = std::array<std::uint32_t, 256>;

// The value of every byte already shifted to its place in a group's 24 bits:
// its position in the alphabet, 0 for "=" and for any byte outside the
// alphabet. One table per place turns a group into four lookups and ORs.
constexpr ShiftedTable MakeShiftedTable(int shift) {
  constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  ShiftedTable table{};
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint32_t>(i) << shift;
  }
  return table;
}

constexpr ShiftedTable kFirst = MakeShiftedTable(18);
constexpr ShiftedTable kSecond = MakeShiftedTable(12);
constexpr ShiftedTable kThird = MakeShiftedTable(6);
constexpr ShiftedTable kFourth = MakeShiftedTable(0);

}  // namespace

std::size_t Base64Decode(std::string_view text, unsigned char* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t groups = text.size() / 4;
  for (std::size_t g = 0; g < groups; ++g, in += 4, out += 3) {
    const std::uint32_t bits = kFirst[in[0]] | kSecond[in[1]] | kThird[in[2]] | kFourth[in[3]];
    out[0] = static_cast<unsigned char>(bits >> 16);
    out[1] = static_cast<unsigned char>(bits >> 8);
    out[2] = static_cast<unsigned char>(bits);
  }
  return groups * 3;
}

}  // namespace marrowpin
