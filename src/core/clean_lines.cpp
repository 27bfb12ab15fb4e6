#include "core/clean_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/byte_search.h"
#include "decode/base64_decode.h"
#include "simd/vector_level.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

#include "decode/alphabet_class_x86.h"
#endif

namespace marrowpin {

namespace {

constexpr std::size_t kBlockSize = 64;

// What the bytes of a block of 64 are; bit i of each mask tells of byte i.
struct BlockMasks {
  std::uint64_t cr = 0;
  std::uint64_t lf = 0;
  std::uint64_t other = 0;  // neither an alphabet character nor CR or LF
};

BlockMasks MasksScalar(const char* block) {
  BlockMasks masks;
  for (std::size_t i = 0; i < kBlockSize; ++i) {
    const std::uint64_t bit = std::uint64_t{1} << i;
    if (block[i] == '\r') {
      masks.cr |= bit;
    } else if (block[i] == '\n') {
      masks.lf |= bit;
    } else if (!IsInBase64Alphabet(block[i])) {
      masks.other |= bit;
    }
  }
  return masks;
}

#if defined(__i386__) || defined(__x86_64__)

__attribute__((target("ssse3"))) inline BlockMasks MasksSsse3(const char* block) {
  BlockMasks masks;
  for (int part = 0; part < 4; ++part) {
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
    const __m128i cr = _mm_cmpeq_epi8(chars, _mm_set1_epi8('\r'));
    const __m128i lf = _mm_cmpeq_epi8(chars, _mm_set1_epi8('\n'));
    const __m128i inside = _mm_cmpeq_epi8(
        base64::OutsideAlphabetSsse3(chars, base64::HighNibblesSsse3(chars)), _mm_setzero_si128());
    const __m128i known = _mm_or_si128(inside, _mm_or_si128(cr, lf));
    const int shift = 16 * part;
    masks.cr |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(cr))} << shift;
    masks.lf |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(lf))} << shift;
    masks.other |= std::uint64_t{static_cast<std::uint16_t>(~_mm_movemask_epi8(known))} << shift;
  }
  return masks;
}

__attribute__((target("avx2"))) inline BlockMasks MasksAvx2(const char* block) {
  BlockMasks masks;
  for (int part = 0; part < 2; ++part) {
    const __m256i chars = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32 * part));
    const __m256i cr = _mm256_cmpeq_epi8(chars, _mm256_set1_epi8('\r'));
    const __m256i lf = _mm256_cmpeq_epi8(chars, _mm256_set1_epi8('\n'));
    const __m256i inside = _mm256_cmpeq_epi8(
        base64::OutsideAlphabetAvx2(chars, base64::HighNibblesAvx2(chars)), _mm256_setzero_si256());
    const __m256i known = _mm256_or_si256(inside, _mm256_or_si256(cr, lf));
    const int shift = 32 * part;
    masks.cr |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(cr))} << shift;
    masks.lf |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(lf))} << shift;
    masks.other |= std::uint64_t{static_cast<std::uint32_t>(~_mm256_movemask_epi8(known))} << shift;
  }
  return masks;
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline BlockMasks MasksAvx512Vbmi(
    const char* block) {
  const __m512i chars = _mm512_loadu_si512(block);
  BlockMasks masks;
  masks.cr = _mm512_cmpeq_epi8_mask(chars, _mm512_set1_epi8('\r'));
  masks.lf = _mm512_cmpeq_epi8_mask(chars, _mm512_set1_epi8('\n'));
  masks.other = base64::OutsideAlphabetAvx512Vbmi(chars, base64::AsciiValuesAvx512Vbmi(chars)) &
                ~(masks.cr | masks.lf);
  return masks;
}

// Compresses out the CR and LF of every block.
__attribute__((target("avx512f,avx512bw,avx512vbmi2"))) std::size_t JoinAvx512Vbmi2(
    const char* data, std::size_t size, char* out) {
  char* to = out;
  for (std::size_t at = 0; at < size; at += kBlockSize) {
    const __mmask64 read =
        size - at >= kBlockSize ? ~__mmask64{0} : (__mmask64{1} << (size - at)) - 1;
    const __m512i chars = _mm512_maskz_loadu_epi8(read, data + at);
    const __mmask64 kept = read & ~(_mm512_cmpeq_epi8_mask(chars, _mm512_set1_epi8('\r')) |
                                    _mm512_cmpeq_epi8_mask(chars, _mm512_set1_epi8('\n')));
    // The whole vector is stored; only the kept bytes count.
    _mm512_storeu_si512(to, _mm512_maskz_compress_epi8(kept, chars));
    to += __builtin_popcountll(kept);
  }
  return static_cast<std::size_t>(to - out);
}

#endif

// The scan for clean lines over blocks of 64 bytes, each classified by
// masks_of, with the line rules worked out on the masks. Inlined into each
// level's function, so that masks_of is inlined too.
template <BlockMasks (*masks_of)(const char*)>
__attribute__((always_inline)) inline std::size_t CleanLinesLengthIn(const char* data,
                                                                     std::size_t size) {
  std::size_t last_line_start = 0;
  // The byte before the block, as bit 0 of the masks shifted by one. The
  // text's start counts as a line end, so that a line end first in it ends
  // an empty line.
  std::uint64_t break_before = 1;
  std::uint64_t cr_before = 0;
  std::uint64_t lf_before = 0;
  for (std::size_t base = 0; base < size; base += kBlockSize) {
    const std::size_t in_block = std::min(kBlockSize, size - base);
    BlockMasks masks;
    std::uint64_t valid = ~std::uint64_t{0};
    if (in_block == kBlockSize) {
      masks = masks_of(data + base);
    } else {
      char padded[kBlockSize];
      std::memset(padded, 'A', sizeof padded);
      std::memcpy(padded, data + base, in_block);
      masks = masks_of(padded);
      valid = (std::uint64_t{1} << in_block) - 1;
    }
    const std::uint64_t breaks = masks.cr | masks.lf;
    const std::uint64_t after_break = breaks << 1 | break_before;
    const std::uint64_t after_cr = masks.cr << 1 | cr_before;
    const std::uint64_t after_lf = masks.lf << 1 | lf_before;
    // A byte of neither kind lies in a line that is not clean; a line end
    // right after another, unless it is the LF of a CR LF, ends an empty one.
    const std::uint64_t unclean =
        (masks.other | (breaks & after_break & ~(after_cr & masks.lf))) & valid;
    // A line starts after an LF, and after a CR that no LF follows.
    const std::uint64_t line_starts = (after_lf | (after_cr & ~masks.lf)) & valid;
    if (unclean != 0) {
      // The clean lines end where the line holding the first unclean byte starts.
      const int first = __builtin_ctzll(unclean);
      const std::uint64_t up_to_first = line_starts & ((std::uint64_t{2} << first) - 1);
      return up_to_first != 0 ? base + 63 - __builtin_clzll(up_to_first) : last_line_start;
    }
    if (line_starts != 0) last_line_start = base + 63 - __builtin_clzll(line_starts);
    break_before = breaks >> 63;
    cr_before = masks.cr >> 63;
    lf_before = masks.lf >> 63;
  }
  // An LF last in the text ends its line; a CR may yet be followed by an LF.
  return size > 0 && data[size - 1] == '\n' ? size : last_line_start;
}

std::size_t CleanLinesLengthScalar(const char* data, std::size_t size) {
  return CleanLinesLengthIn<MasksScalar>(data, size);
}

#if defined(__i386__) || defined(__x86_64__)

__attribute__((target("ssse3"))) std::size_t CleanLinesLengthSsse3(const char* data,
                                                                   std::size_t size) {
  return CleanLinesLengthIn<MasksSsse3>(data, size);
}

__attribute__((target("avx2"))) std::size_t CleanLinesLengthAvx2(const char* data,
                                                                 std::size_t size) {
  return CleanLinesLengthIn<MasksAvx2>(data, size);
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) std::size_t CleanLinesLengthAvx512Vbmi(
    const char* data, std::size_t size) {
  return CleanLinesLengthIn<MasksAvx512Vbmi>(data, size);
}

#endif

// Copies the characters line by line.
std::size_t JoinByLines(std::string_view text, char* out) {
  std::size_t written = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = FindLineBreak(text.substr(at));
    std::memcpy(out + written, text.data() + at, length);
    written += length;
    at += length;
    while (at < text.size() && (text[at] == '\r' || text[at] == '\n'))
      ++at;
  }
  return written;
}

}  // namespace

std::size_t CleanLinesLength(std::string_view text) {
  switch (simd::ActiveLevel()) {
#if defined(__i386__) || defined(__x86_64__)
    case simd::VectorLevel::kAvx512Vbmi2:
      return CleanLinesLengthAvx512Vbmi(text.data(), text.size());
    case simd::VectorLevel::kAvx2:
      return CleanLinesLengthAvx2(text.data(), text.size());
    case simd::VectorLevel::kSsse3:
      return CleanLinesLengthSsse3(text.data(), text.size());
#endif
    default:
      return CleanLinesLengthScalar(text.data(), text.size());
  }
}

std::size_t JoinCleanLines(std::string_view text, char* out) {
#if defined(__i386__) || defined(__x86_64__)
  if (simd::ActiveLevel() == simd::VectorLevel::kAvx512Vbmi2) {
    return JoinAvx512Vbmi2(text.data(), text.size(), out);
  }
#endif
  return JoinByLines(text, out);
}

}  // namespace marrowpin
