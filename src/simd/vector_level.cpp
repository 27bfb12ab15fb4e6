#include "simd/vector_level.h"

#include <algorithm>

namespace marrowpin::simd {

namespace {

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
  if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi")) {
    levels.push_back(VectorLevel::kAvx512Vbmi);
  }
#endif
  return levels;
}

VectorLevel& Active() {
  static VectorLevel active = SupportedLevels().back();
  return active;
}

}  // namespace

const std::vector<VectorLevel>& SupportedLevels() {
  static const std::vector<VectorLevel> levels = DetectLevels();
  return levels;
}

VectorLevel ActiveLevel() {
  return Active();
}

bool SetActiveLevel(VectorLevel level) {
  const std::vector<VectorLevel>& levels = SupportedLevels();
  if (std::find(levels.begin(), levels.end(), level) == levels.end()) return false;
  Active() = level;
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
    case VectorLevel::kAvx512Vbmi:
      return "avx512vbmi";
  }
  return "unknown";
}

}  // namespace marrowpin::simd
