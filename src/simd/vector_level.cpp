#include "simd/vector_level.h"

#include <algorithm>

namespace marrowpin::simd {

namespace {

const std::vector<VectorLevel> kBuiltLevels = {
    VectorLevel::kScalar,
#if defined(__i386__) || defined(__x86_64__)
    VectorLevel::kSsse3,
    VectorLevel::kAvx2,
    VectorLevel::kAvx512Vbmi2,
#endif
};

std::vector<VectorLevel> DetectLevels() {
  std::vector<VectorLevel> levels = {VectorLevel::kScalar};
#if defined(__i386__) || defined(__x86_64__)
  // The runtime's checks include the operating system's support for the
  // wider registers, not only the CPU's.
  __builtin_cpu_init();
  if (!__builtin_cpu_supports("ssse3")) return levels;
  levels.push_back(VectorLevel::kSsse3);
  if (!__builtin_cpu_supports("avx2")) return levels;
  levels.push_back(VectorLevel::kAvx2);
  if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
      __builtin_cpu_supports("avx512vbmi2")) {
    levels.push_back(VectorLevel::kAvx512Vbmi2);
  }
#endif
  return levels;
}

// Chosen once at start-up, before any conversion.
const std::vector<VectorLevel> kSupportedLevels = DetectLevels();

}  // namespace

VectorLevel detail::active_level = kSupportedLevels.back();

const std::vector<VectorLevel>& BuiltLevels() {
  return kBuiltLevels;
}

const std::vector<VectorLevel>& SupportedLevels() {
  return kSupportedLevels;
}

bool SetActiveLevel(VectorLevel level) {
  if (std::find(kSupportedLevels.begin(), kSupportedLevels.end(), level) ==
      kSupportedLevels.end()) {
    return false;
  }
  detail::active_level = level;
  return true;
}

const char* LevelName(VectorLevel level) {
  switch (level) {
    case VectorLevel::kScalar:
      return "scalar";
    case VectorLevel::kSsse3:
      return "ssse3";
    case VectorLevel::kAvx2:
      return "avx2";
    case VectorLevel::kAvx512Vbmi2:
      return "avx512vbmi2";
  }
  return "unknown";
}

}  // namespace marrowpin::simd
