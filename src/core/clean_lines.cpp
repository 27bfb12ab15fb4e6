#include "core/clean_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// Writes the bytes of the block that are set in kept to `to`, in order;
// returns how many. The whole vector is stored.
__attribute__((target("avx512f,avx512bw,avx512vbmi2"))) inline std::size_t KeepAvx512Vbmi2(
    const char* block, std::uint64_t kept, char* to) {
  _mm512_storeu_si512(to, _mm512_maskz_compress_epi8(kept, _mm512_loadu_si512(block)));
  return static_cast<std::size_t>(__builtin_popcountll(kept));
}

#endif

// Copies the bytes of the block that are set in kept to `to`, a run of
// them at a time; returns how many.
inline std::size_t KeepByRuns(const char* block, std::uint64_t kept, char* to) {
  std::size_t written = 0;
  while (kept != 0) {
    const int start = __builtin_ctzll(kept);
    const std::uint64_t from_start = ~(kept >> start);
    const int run = from_start == 0 ? 64 - start : __builtin_ctzll(from_start);
    std::memcpy(to + written, block + start, static_cast<std::size_t>(run));
    written += static_cast<std::size_t>(run);
    kept = start + run >= 64 ? 0 : kept & (~std::uint64_t{0} << (start + run));
  }
  return written;
}

// The scan for clean lines over blocks of 64 bytes, each classified by
// masks_of, with the line rules worked out on the masks; keep copies a
// block's characters. Inlined into each level's function, so that masks_of
// and keep are inlined too.
template <BlockMasks (*masks_of)(const char*),
          std::size_t (*keep)(const char*, std::uint64_t, char*)>
__attribute__((always_inline)) inline CleanLines JoinCleanLinesIn(const char* data,
                                                                  std::size_t size, char* out) {
  std::size_t written = 0;
  // The last block that held a line start, and where in it they are: the
  // clean lines so far end at the last of them.
  std::size_t starts_base = 0;
  std::uint64_t starts = 0;
  std::uint64_t starts_kept = 0;  // the characters in that block
  std::size_t written_before_starts = 0;
  // The byte before the block, as bit 0 of the masks shifted by one. The
  // text's start counts as a line end, so that a line end first in it ends
  // an empty line.
  std::uint64_t break_before = 1;
  std::uint64_t cr_before = 0;
  std::uint64_t lf_before = 0;
  char padded[kBlockSize];
  for (std::size_t base = 0; base < size; base += kBlockSize) {
    const std::size_t in_block = std::min(kBlockSize, size - base);
    const char* block = data + base;
    std::uint64_t valid = ~std::uint64_t{0};
    if (in_block < kBlockSize) {
      std::memset(padded, 'A', sizeof padded);
      std::memcpy(padded, block, in_block);
      block = padded;
      valid = (std::uint64_t{1} << in_block) - 1;
    }
    const BlockMasks masks = masks_of(block);
    const std::uint64_t breaks = masks.cr | masks.lf;
    const std::uint64_t after_break = breaks << 1 | break_before;
    const std::uint64_t after_cr = masks.cr << 1 | cr_before;
    const std::uint64_t after_lf = masks.lf << 1 | lf_before;
    // A byte of neither kind lies in a line that is not clean; a line end
    // right after another, unless it is the LF of a CR LF, ends an empty one.
    const std::uint64_t unclean =
        (masks.other | (breaks & after_break & ~(after_cr & masks.lf))) & valid;
    // A line starts after an LF, and after a CR that no LF follows.
    std::uint64_t line_starts = (after_lf | (after_cr & ~masks.lf)) & valid;
    // The clean lines end where the line holding the first unclean byte starts.
    if (unclean != 0) line_starts &= (std::uint64_t{2} << __builtin_ctzll(unclean)) - 1;
    const std::uint64_t kept = ~breaks & valid;
    if (line_starts != 0) {
      starts_base = base;
      starts = line_starts;
      starts_kept = kept;
      written_before_starts = written;
    }
    // A block with an unclean line is written too: its characters up to
    // the line's start count.
    written += keep(block, kept, out + written);
    if (unclean != 0) break;
    break_before = breaks >> 63;
    cr_before = masks.cr >> 63;
    lf_before = masks.lf >> 63;
    // An LF last in the text ends its line; a CR may yet be followed by an LF.
    if (base + in_block == size && data[size - 1] == '\n') return {size, written};
  }
  if (starts == 0) return {};
  const int last = 63 - __builtin_clzll(starts);
  const std::uint64_t before_last = (std::uint64_t{1} << last) - 1;
  return {starts_base + static_cast<std::size_t>(last),
          written_before_starts +
              static_cast<std::size_t>(__builtin_popcountll(starts_kept & before_last))};
}

CleanLines JoinScalar(const char* data, std::size_t size, char* out) {
  return JoinCleanLinesIn<MasksScalar, KeepByRuns>(data, size, out);
}

#if defined(__i386__) || defined(__x86_64__)

__attribute__((target("ssse3"))) CleanLines JoinSsse3(const char* data, std::size_t size,
                                                      char* out) {
  return JoinCleanLinesIn<MasksSsse3, KeepByRuns>(data, size, out);
}

__attribute__((target("avx2"))) CleanLines JoinAvx2(const char* data, std::size_t size, char* out) {
  return JoinCleanLinesIn<MasksAvx2, KeepByRuns>(data, size, out);
}

__attribute__((target("avx512f,avx512bw,avx512vbmi,avx512vbmi2"))) CleanLines JoinAvx512Vbmi2(
    const char* data, std::size_t size, char* out) {
  return JoinCleanLinesIn<MasksAvx512Vbmi, KeepAvx512Vbmi2>(data, size, out);
}

#endif

}  // namespace

CleanLines JoinCleanLines(std::string_view text, char* out) {
  switch (simd::ActiveLevel()) {
#if defined(__i386__) || defined(__x86_64__)
    case simd::VectorLevel::kAvx512Vbmi2:
      return JoinAvx512Vbmi2(text.data(), text.size(), out);
    case simd::VectorLevel::kAvx2:
      return JoinAvx2(text.data(), text.size(), out);
    case simd::VectorLevel::kSsse3:
      return JoinSsse3(text.data(), text.size(), out);
#endif
    default:
      return JoinScalar(text.data(), text.size(), out);
  }
}

}  // namespace marrowpin
