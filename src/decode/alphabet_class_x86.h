#pragma once

// Which bytes of a vector are base64 alphabet characters, and their values:
// the tables and steps that the vector group decoders and the search for
// clean payload lines share. Each function carries its instruction set as a
// target attribute, so a CPU without it never reaches it.

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#include <array>
#include <cstddef>

#include "decode/base64_decode.h"

namespace marrowpin::base64 {

// The tables of the SSSE3 and AVX2 translation, one 16-byte lane each (AVX2
// uses the same lane twice). The low and high nibble of a character each pick
// a class mask, which share a bit only for characters outside the alphabet;
// the offset, picked by the high nibble ("/" apart), is what to add to a
// character to get its value.
alignas(16) inline constexpr std::array<signed char, 16> kClassByLowNibble = {
    0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A};
alignas(16) inline constexpr std::array<signed char, 16> kClassByHighNibble = {
    0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10};
alignas(16) inline constexpr std::array<signed char, 16> kOffsets = {
    0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0};

__attribute__((target("ssse3"))) inline __m128i LoadLane(const std::array<signed char, 16>& lane) {
  return _mm_load_si128(reinterpret_cast<const __m128i*>(lane.data()));
}

__attribute__((target("avx2"))) inline __m256i LoadLaneTwice(
    const std::array<signed char, 16>& lane) {
  return _mm256_broadcastsi128_si256(LoadLane(lane));
}

// Nonzero in the bytes whose characters are outside the alphabet; high holds
// each character's high nibble.
__attribute__((target("ssse3"))) inline __m128i OutsideAlphabetSsse3(__m128i chars, __m128i high) {
  const __m128i low = _mm_and_si128(chars, _mm_set1_epi8(0x0F));
  return _mm_and_si128(_mm_shuffle_epi8(LoadLane(kClassByLowNibble), low),
                       _mm_shuffle_epi8(LoadLane(kClassByHighNibble), high));
}

__attribute__((target("ssse3"))) inline __m128i HighNibblesSsse3(__m128i chars) {
  return _mm_and_si128(_mm_srli_epi32(chars, 4), _mm_set1_epi8(0x0F));
}

__attribute__((target("avx2"))) inline __m256i OutsideAlphabetAvx2(__m256i chars, __m256i high) {
  const __m256i low = _mm256_and_si256(chars, _mm256_set1_epi8(0x0F));
  return _mm256_and_si256(_mm256_shuffle_epi8(LoadLaneTwice(kClassByLowNibble), low),
                          _mm256_shuffle_epi8(LoadLaneTwice(kClassByHighNibble), high));
}

__attribute__((target("avx2"))) inline __m256i HighNibblesAvx2(__m256i chars) {
  return _mm256_and_si256(_mm256_srli_epi32(chars, 4), _mm256_set1_epi8(0x0F));
}

// Value tables for the 128 ASCII codes: a character's value, or 0x80 for
// one outside the alphabet.
constexpr std::array<unsigned char, 128> MakeAsciiValues() {
  std::array<unsigned char, 128> values{};
  values.fill(0x80);
  for (std::size_t value = 0; value < kBase64Alphabet.size(); ++value) {
    values[static_cast<unsigned char>(kBase64Alphabet[value])] = static_cast<unsigned char>(value);
  }
  return values;
}

alignas(64) inline constexpr std::array<unsigned char, 128> kAsciiValues = MakeAsciiValues();

// Each character's value; the high bit is set in a byte whose character is
// outside the alphabet, in the value or in the character itself, so that
// ORing the two marks them.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline __m512i AsciiValuesAvx512Vbmi(
    __m512i chars) {
  return _mm512_permutex2var_epi8(_mm512_loadu_si512(kAsciiValues.data()), chars,
                                  _mm512_loadu_si512(kAsciiValues.data() + 64));
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline __mmask64 OutsideAlphabetAvx512Vbmi(
    __m512i chars, __m512i values) {
  return _mm512_movepi8_mask(_mm512_or_si512(values, chars));
}

}  // namespace marrowpin::base64

#endif
