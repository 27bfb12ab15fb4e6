// The vector group decoders. Each checks a whole vector of characters against
// the alphabet; a vector with any other character ("=" included) goes to the
// scalar decoder, which is the definition of the bytes, so every level gives
// the same output for every input. The functions carry their instruction set
// as a target attribute, so the build needs no flags and a CPU without it
// never reaches them.

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "decode/alphabet_class_x86.h"
#include "decode/base64_decode.h"
#include "decode/base64_groups.h"

namespace marrowpin::base64 {

namespace {

// Decodes a vector of kGroupsPerVector groups at a time with decode_vector,
// and with the scalar decoder a vector that holds another character and the
// groups after the last whole vector. Inlined into each target's function.
template <std::size_t kGroupsPerVector, bool (*decode_vector)(const unsigned char*, unsigned char*)>
__attribute__((always_inline)) inline bool DecodeInVectors(const unsigned char* in,
                                                           std::size_t groups, unsigned char* out) {
  bool clean = true;
  for (; groups >= kGroupsPerVector; groups -= kGroupsPerVector) {
    if (!decode_vector(in, out)) {
      clean &= DecodeGroupsScalar(in, kGroupsPerVector, out);
    }
    in += 4 * kGroupsPerVector;
    out += 3 * kGroupsPerVector;
  }
  return DecodeGroupsScalar(in, groups, out) && clean;
}

// Each character's value in its byte, and whether all sixteen were in the
// alphabet.
__attribute__((target("ssse3"))) inline bool TranslateSsse3(__m128i chars, __m128i& values) {
  const __m128i high = HighNibblesSsse3(chars);
  const __m128i outside = OutsideAlphabetSsse3(chars, high);
  if (_mm_movemask_epi8(_mm_cmpeq_epi8(outside, _mm_setzero_si128())) != 0xFFFF) return false;
  const __m128i is_slash = _mm_cmpeq_epi8(chars, _mm_set1_epi8('/'));
  values = _mm_add_epi8(chars, _mm_shuffle_epi8(LoadLane(kOffsets), _mm_add_epi8(is_slash, high)));
  return true;
}

// The three bytes of each packed 32-bit lane, in order, then four unused.
alignas(16) constexpr std::array<signed char, 16> kLaneBytes = {2, 1,  0,  6,  5,  4,  10, 9,
                                                                8, 14, 13, 12, -1, -1, -1, -1};

// Four values of six bits to three bytes, in each 32-bit lane.
__attribute__((target("ssse3"))) inline __m128i PackLanesSsse3(__m128i values) {
  const __m128i pairs = _mm_maddubs_epi16(values, _mm_set1_epi32(0x01400140));
  return _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
}

__attribute__((target("avx2"))) inline bool TranslateAvx2(__m256i chars, __m256i& values) {
  const __m256i high = HighNibblesAvx2(chars);
  const __m256i outside = OutsideAlphabetAvx2(chars, high);
  if (!_mm256_testz_si256(outside, outside)) return false;
  const __m256i is_slash = _mm256_cmpeq_epi8(chars, _mm256_set1_epi8('/'));
  values = _mm256_add_epi8(
      chars, _mm256_shuffle_epi8(LoadLaneTwice(kOffsets), _mm256_add_epi8(is_slash, high)));
  return true;
}

// Where each of the 48 decoded bytes lies in the packed 32-bit lanes.
constexpr std::array<unsigned char, 64> MakePackOrder() {
  std::array<unsigned char, 64> order{};
  for (std::size_t byte = 0; byte < 48; ++byte) {
    order[byte] = static_cast<unsigned char>(byte / 3 * 4 + 2 - byte % 3);
  }
  return order;
}

constexpr std::array<unsigned char, 64> kPackOrder = MakePackOrder();

// One vector of characters to bytes; false, with nothing written, when one
// of them is outside the alphabet.
__attribute__((target("ssse3"))) inline bool DecodeVectorSsse3(const unsigned char* from,
                                                               unsigned char* to) {
  __m128i values;
  if (!TranslateSsse3(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)), values)) {
    return false;
  }
  const __m128i bytes = _mm_shuffle_epi8(PackLanesSsse3(values), LoadLane(kLaneBytes));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(to), bytes);
  const auto last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 8)));
  std::memcpy(to + 8, &last, 4);
  return true;
}

__attribute__((target("avx2"))) inline bool DecodeVectorAvx2(const unsigned char* from,
                                                             unsigned char* to) {
  __m256i values;
  if (!TranslateAvx2(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(from)), values)) {
    return false;
  }
  const __m256i pairs = _mm256_maddubs_epi16(values, _mm256_set1_epi32(0x01400140));
  const __m256i lanes = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
  const __m256i in_lanes = _mm256_shuffle_epi8(lanes, LoadLaneTwice(kLaneBytes));
  const __m256i bytes =
      _mm256_permutevar8x32_epi32(in_lanes, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm256_castsi256_si128(bytes));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 16), _mm256_extracti128_si256(bytes, 1));
  return true;
}

// The characters of one vector to bytes; false, with nothing written, when
// one of them is outside the alphabet. Characters past `groups` groups are
// neither read nor written, so that a line's last groups need no scalar code.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline bool DecodeGroupsInVectorAvx512Vbmi(
    const unsigned char* from, unsigned char* to, unsigned groups) {
  const auto read = static_cast<__mmask64>(groups >= 16 ? ~0ull : (1ull << (4 * groups)) - 1);
  const auto written = static_cast<__mmask64>((1ull << (3 * groups)) - 1);
  // Past the groups the vector holds "A", which is in the alphabet.
  const __m512i chars = _mm512_mask_loadu_epi8(_mm512_set1_epi8('A'), read, from);
  // The low seven bits pick the value; a set high bit in either the
  // character or its value marks it as outside the alphabet.
  const __m512i values = AsciiValuesAvx512Vbmi(chars);
  const __mmask64 outside = OutsideAlphabetAvx512Vbmi(chars, values);
  if (!_kortestz_mask64_u8(outside, outside)) return false;
  const __m512i pairs = _mm512_maddubs_epi16(values, _mm512_set1_epi32(0x01400140));
  const __m512i lanes = _mm512_madd_epi16(pairs, _mm512_set1_epi32(0x00011000));
  // (The two-table permute with one table twice: the one-table form trips a
  // false uninitialised-value warning in GCC 12's header.)
  const __m512i bytes =
      _mm512_permutex2var_epi8(lanes, _mm512_loadu_si512(kPackOrder.data()), lanes);
  _mm512_mask_storeu_epi8(to, written, bytes);
  return true;
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline bool DecodeVectorAvx512Vbmi(
    const unsigned char* from, unsigned char* to) {
  return DecodeGroupsInVectorAvx512Vbmi(from, to, 16);
}

}  // namespace

__attribute__((target("ssse3"))) bool DecodeGroupsSsse3(const unsigned char* in, std::size_t groups,
                                                        unsigned char* out) {
  return DecodeInVectors<4, DecodeVectorSsse3>(in, groups, out);
}

__attribute__((target("avx2"))) bool DecodeGroupsAvx2(const unsigned char* in, std::size_t groups,
                                                      unsigned char* out) {
  return DecodeInVectors<8, DecodeVectorAvx2>(in, groups, out);
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) bool DecodeGroupsAvx512Vbmi(
    const unsigned char* in, std::size_t groups, unsigned char* out) {
  const std::size_t whole = groups / 16 * 16;
  const bool clean = DecodeInVectors<16, DecodeVectorAvx512Vbmi>(in, whole, out);
  const std::size_t rest = groups - whole;
  in += 4 * whole;
  out += 3 * whole;
  if (rest == 0 || DecodeGroupsInVectorAvx512Vbmi(in, out, static_cast<unsigned>(rest)))
    return clean;
  DecodeGroupsScalar(in, rest, out);
  return false;
}

}  // namespace marrowpin::base64

#endif
