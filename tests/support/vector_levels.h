#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "simd/vector_level.h"

namespace marrowpin::simd {

// Shows a level by name in test failures.
inline void PrintTo(VectorLevel level, std::ostream* out) {
  *out << LevelName(level);
}

}  // namespace marrowpin::simd

namespace marrowpin::testing {

// Puts the vector level of a parametrised test in force for the test, and
// the best level back afterwards. A level this CPU lacks skips the test, so
// the output names every level as run or not.
inline void UseVectorLevel(simd::VectorLevel level) {
  if (!simd::SetActiveLevel(level)) GTEST_SKIP() << simd::LevelName(level) << " not on this CPU";
}

inline void UseBestVectorLevel() {
  simd::SetActiveLevel(simd::SupportedLevels().back());
}

inline std::string VectorLevelName(const ::testing::TestParamInfo<simd::VectorLevel>& info) {
  return simd::LevelName(info.param);
}

}  // namespace marrowpin::testing

// Runs the suite's parametrised tests once for each level the build has.
#define INSTANTIATE_AT_EVERY_VECTOR_LEVEL(suite)                                                 \
  INSTANTIATE_TEST_SUITE_P(Levels, suite, ::testing::ValuesIn(::marrowpin::simd::BuiltLevels()), \
                           ::marrowpin::testing::VectorLevelName)
