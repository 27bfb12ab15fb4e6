#include "decode/base64_decode.h"

#include <array>
#include <cstdint>

namespace marrowpin {

namespace {

// Value of every byte: its position in the alphabet, 0 for "=" and for any
// byte outside the alphabet.
constexpr std::array<std::uint8_t, 256> MakeDecodeTable() {
  constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::array<std::uint8_t, 256> table{};
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
  }
  return table;
}

constexpr std::array<std::uint8_t, 256> kDecodeTable = MakeDecodeTable();

}  // namespace

std::size_t Base64Decode(std::string_view text, unsigned char* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t groups = text.size() / 4;
  for (std::size_t g = 0; g < groups; ++g, in += 4, out += 3) {
    const std::uint32_t bits = (std::uint32_t{kDecodeTable[in[0]]} << 18) |
                               (std::uint32_t{kDecodeTable[in[1]]} << 12) |
                               (std::uint32_t{kDecodeTable[in[2]]} << 6) | kDecodeTable[in[3]];
    out[0] = static_cast<unsigned char>(bits >> 16);
    out[1] = static_cast<unsigned char>(bits >> 8);
    out[2] = static_cast<unsigned char>(bits);
  }
  return groups * 3;
}

}  // namespace marrowpin
