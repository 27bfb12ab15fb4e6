// Checks the text helpers of the conversion against plain readings of their
// rules: key search (also over a text in two parts), header values, integers, trimming, line
// splitting, the line buffer that serves lines from a loaded file, the group decoder, and the
// path rules in both path styles.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/header_fields.h"
#include "core/line_splitter.h"
#include "core/memory_line_buffer.h"
#include "core/paths.h"
#include "core/sjis_text.h"
#include "decode/base64_decode.h"
#include "reference_rules.h"

namespace {

namespace reference = marrowpin::reference;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "differs from the rule: %s\n", what);
    std::abort();
  }
}

// The line buffer must read like the splitter while the conversion consumes
// it: lines read in order, the first replaced or deleted, read again.
void CheckLineBuffer(std::string_view bytes, std::uint8_t script) {
  std::vector<std::string> expected = reference::SplitLines(bytes);
  marrowpin::MemoryLineBuffer buffer;
  buffer.Load(std::string(bytes));
  for (int step = 0; step < 8; ++step) {
    Require(buffer.Count() == expected.size(), "line count");
    for (std::size_t k = 0; k < expected.size(); ++k) {
      Require(buffer.Line(k) == expected[k], "line content");
    }
    if (expected.empty()) break;
    if (script >> step & 1) {
      const std::string replacement = expected[0].substr(0, expected[0].size() / 2);
      buffer.ReplaceFirst(replacement);
      expected[0] = replacement;
    } else {
      buffer.DeleteFirst();
      expected.erase(expected.begin());
    }
  }
}

// A source path and an output name: the text cut in two.
void CheckPaths(std::string_view path, std::string_view name) {
  for (const bool windows : {true, false}) {
    const marrowpin::PathStyle style =
        windows ? marrowpin::PathStyle::kWindows : marrowpin::PathStyle::kPosix;
    Require(marrowpin::FileNamePart(path, style) == reference::FileNamePart(path, windows),
            "FileNamePart");
    Require(
        marrowpin::OutputPathFor(path, name, style) == reference::OutputPath(path, name, windows),
        "OutputPathFor");
    Require(
        marrowpin::IsUnsafeOutputName(name, style) == reference::IsUnsafeOutputName(name, windows),
        "IsUnsafeOutputName");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t script = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  // A key taken from the text itself, so that it is often found.
  const std::size_t key_start = script % text.size();
  const std::string_view key = text.substr(key_start, 1 + script % 7);
  Require(marrowpin::FindKey(text, key) == reference::FindKey(text, key), "FindKey");
  for (std::string_view fixed : {"BASE64:", "END:VNOTE", "#Content-", "-FILENAME"}) {
    Require(marrowpin::FindKey(text, fixed) == reference::FindKey(text, fixed), "FindKey (keys)");
  }

  // The same search over the text cut in two at a point the input chooses.
  const std::size_t cut = (script * 31u) % (text.size() + 1);
  Require(marrowpin::ContainsKeyJoined(text.substr(0, cut), text.substr(cut), key) ==
              (reference::FindKey(text, key) != std::string_view::npos),
          "ContainsKeyJoined");
  Require(marrowpin::ContainsKeyJoined(text.substr(0, cut), text.substr(cut), "END:VNOTE") ==
              (reference::FindKey(text, "END:VNOTE") != std::string_view::npos),
          "ContainsKeyJoined (end key)");
  CheckPaths(text.substr(0, cut), text.substr(cut));

  Require(marrowpin::HeaderValue(text) == reference::HeaderValue(text), "HeaderValue");
  Require(marrowpin::TrimBlanks(text) == reference::TrimBlanks(text), "TrimBlanks");
  Require(marrowpin::ReadInteger(text) == reference::ReadInteger(text), "ReadInteger");
  const std::string value = reference::HeaderValue(text);
  Require(marrowpin::ReadInteger(value) == reference::ReadInteger(value), "ReadInteger (value)");

  std::vector<std::string> lines;
  marrowpin::SplitLines(text, [&](std::string_view line) { lines.emplace_back(line); });
  Require(lines == reference::SplitLines(text), "SplitLines");
  CheckLineBuffer(text, script);

  const std::string_view groups = text.substr(0, text.size() / 4 * 4);
  std::vector<unsigned char> decoded(marrowpin::Base64DecodedSize(groups.size()) + 1, 0xA5);
  const std::size_t count = marrowpin::Base64Decode(groups, decoded.data());
  Require(count == groups.size() / 4 * 3, "Base64Decode count");
  Require(std::string(decoded.begin(), decoded.begin() + count) == reference::Base64Decode(groups),
          "Base64Decode bytes");
  Require(decoded[count] == 0xA5, "Base64Decode stays within its output");
  return 0;
}
