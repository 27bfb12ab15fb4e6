#pragma once

#include <vector>

// Which vector instructions the decoder and the byte searches use. The level
// is chosen once from what the CPU offers; every level gives the same bytes.
namespace marrowpin::simd {

enum class VectorLevel {
  kScalar,       // plain C++, any CPU
  kSsse3,        // 16 bytes at a time
  kAvx2,         // 32 bytes at a time
  kAvx512Vbmi2,  // 64 bytes at a time, byte permutes for the alphabet, byte compression
};

// The levels this build holds code for, whatever this CPU runs, from kScalar
// up.
const std::vector<VectorLevel>& BuiltLevels();
// The levels this CPU runs, from kScalar up.
const std::vector<VectorLevel>& SupportedLevels();

namespace detail {
// Read on every call of the decoder and the searches, so read inline.
extern VectorLevel active_level;
}  // namespace detail

// The level in use: the best supported one unless SetActiveLevel chose another.
inline VectorLevel ActiveLevel() {
  return detail::active_level;
}

// Uses level from now on; false (and no change) when the CPU lacks it. For the
// tests and fuzzers, which run every level against the scalar code.
bool SetActiveLevel(VectorLevel level);

const char* LevelName(VectorLevel level);

}  // namespace marrowpin::simd
