#include "core/byte_search.h"

#include <cstdint>
#include <cstring>

#include "simd/vector_level.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#endif

namespace marrowpin {

namespace {

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n' || c == '\0';
}

// Eight bytes at a time: a word with no byte below 14 holds no line break.
std::size_t FindLineBreakScalar(const char* data, std::size_t size) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + at, sizeof word);
    // Nonzero when some byte of word is below 14 (exact for limits up to 128).
    if (((word - kOnes * 14) & ~word & kHighBits) != 0) break;
  }
  while (at < size && !IsLineBreak(data[at]))
    ++at;
  return at;
}

std::size_t FindByteScalar(const char* data, std::size_t size, char wanted) {
  const void* found = std::memchr(data, wanted, size);
  return found == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(found) - data);
}

#if defined(__i386__) || defined(__x86_64__)

// Bit i of the mask is set when byte i of the sixteen is a line break.
__attribute__((target("sse2"))) inline unsigned LineBreakMask16(const char* at) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  const __m128i breaks = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                                                   _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                                      _mm_cmpeq_epi8(bytes, _mm_setzero_si128()));
  return static_cast<unsigned>(_mm_movemask_epi8(breaks));
}

__attribute__((target("sse2"))) std::size_t FindLineBreakSse2(const char* data, std::size_t size) {
  std::size_t at = 0;
  for (; at + 16 <= size; at += 16) {
    if (const unsigned mask = LineBreakMask16(data + at)) return at + __builtin_ctz(mask);
  }
  return at + FindLineBreakScalar(data + at, size - at);
}

__attribute__((target("avx2"))) std::size_t FindLineBreakAvx2(const char* data, std::size_t size) {
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i lf = _mm256_set1_epi8('\n');
  std::size_t at = 0;
  for (; at + 32 <= size; at += 32) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + at));
    const __m256i breaks =
        _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(bytes, cr), _mm256_cmpeq_epi8(bytes, lf)),
                        _mm256_cmpeq_epi8(bytes, _mm256_setzero_si256()));
    if (const auto mask = static_cast<unsigned>(_mm256_movemask_epi8(breaks))) {
      return at + __builtin_ctz(mask);
    }
  }
  return at + FindLineBreakSse2(data + at, size - at);
}

__attribute__((target("sse2"))) std::size_t FindByteSse2(const char* data, std::size_t size,
                                                         char wanted) {
  const __m128i pattern = _mm_set1_epi8(wanted);
  std::size_t at = 0;
  for (; at + 16 <= size; at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    if (const auto mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, pattern)))) {
      return at + __builtin_ctz(mask);
    }
  }
  for (; at < size && data[at] != wanted; ++at) {
  }
  return at;
}

__attribute__((target("avx2"))) std::size_t FindByteAvx2(const char* data, std::size_t size,
                                                         char wanted) {
  const __m256i pattern = _mm256_set1_epi8(wanted);
  std::size_t at = 0;
  for (; at + 32 <= size; at += 32) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + at));
    if (const auto mask =
            static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, pattern)))) {
      return at + __builtin_ctz(mask);
    }
  }
  return at + FindByteSse2(data + at, size - at, wanted);
}

#endif

}  // namespace

std::size_t FindLineBreak(std::string_view text) {
  switch (simd::ActiveLevel()) {
#if defined(__i386__) || defined(__x86_64__)
    case simd::VectorLevel::kAvx512Vbmi2:
    case simd::VectorLevel::kAvx2:
      return FindLineBreakAvx2(text.data(), text.size());
    case simd::VectorLevel::kSsse3:
      return FindLineBreakSse2(text.data(), text.size());
#endif
    default:
      return FindLineBreakScalar(text.data(), text.size());
  }
}

std::size_t FindByte(std::string_view text, char wanted, std::size_t from) {
  if (from >= text.size()) return std::string_view::npos;
  const char* data = text.data() + from;
  const std::size_t size = text.size() - from;
  std::size_t at;
  switch (simd::ActiveLevel()) {
#if defined(__i386__) || defined(__x86_64__)
    case simd::VectorLevel::kAvx512Vbmi2:
    case simd::VectorLevel::kAvx2:
      at = FindByteAvx2(data, size, wanted);
      break;
    case simd::VectorLevel::kSsse3:
      at = FindByteSse2(data, size, wanted);
      break;
#endif
    default:
      at = FindByteScalar(data, size, wanted);
      break;
  }
  return at == size ? std::string_view::npos : from + at;
}

}  // namespace marrowpin
