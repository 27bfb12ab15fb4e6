// Differential check of the vector code against the scalar code on arbitrary
// bytes: at every vector level the CPU has, the group decoder must give the
// same bytes and the same verdict on the alphabet, and the line-break and
// byte searches the same positions, and the search for clean payload lines
// the same length and the same joined characters.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/byte_search.h"
#include "core/clean_lines.h"
#include "decode/base64_decode.h"
#include "simd/vector_level.h"

namespace {

namespace simd = marrowpin::simd;

void Require(bool condition, simd::VectorLevel level, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "vector level %s differs from scalar: %s\n", simd::LevelName(level), what);
    std::abort();
  }
}

struct Results {
  std::vector<unsigned char> decoded;
  bool only_alphabet = false;
  std::size_t line_break = 0;
  std::size_t byte = 0;
  std::size_t clean_lines = 0;
  std::string joined;
};

Results Run(simd::VectorLevel level, std::string_view text, char wanted, std::size_t from) {
  simd::SetActiveLevel(level);
  Results results;
  const std::string_view groups = text.substr(0, text.size() / 4 * 4);
  // One byte more than the decoder may write, to catch a write past the end.
  results.decoded.assign(marrowpin::Base64DecodedSize(groups.size()) + 1, 0xA5);
  marrowpin::Base64Decode(groups, results.decoded.data(), &results.only_alphabet);
  results.line_break = marrowpin::FindLineBreak(text);
  results.byte = marrowpin::FindByte(text, wanted, from);
  // Room for the whole vector that the last joining step may store.
  results.joined.assign(text.size() + 64, '\0');
  const marrowpin::CleanLines clean = marrowpin::JoinCleanLines(text, results.joined.data());
  results.clean_lines = clean.length;
  results.joined.resize(clean.characters);
  return results;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const char wanted = static_cast<char>(data[0]);
  // Mostly alphabet text with the odd other byte is where the vectors work.
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t from = text.empty() ? 0 : data[0] % text.size();

  const Results scalar = Run(simd::VectorLevel::kScalar, text, wanted, from);
  Require(scalar.decoded.back() == 0xA5, simd::VectorLevel::kScalar, "stays within its output");
  for (simd::VectorLevel level : simd::SupportedLevels()) {
    const Results vector = Run(level, text, wanted, from);
    Require(vector.decoded == scalar.decoded, level, "decoded bytes");
    Require(vector.only_alphabet == scalar.only_alphabet, level, "alphabet verdict");
    Require(vector.line_break == scalar.line_break, level, "FindLineBreak");
    Require(vector.byte == scalar.byte, level, "FindByte");
    Require(vector.clean_lines == scalar.clean_lines, level, "clean lines' length");
    Require(vector.joined == scalar.joined, level, "clean lines' characters");
  }
  return 0;
}
