// Checks the text helpers of the conversion against plain readings of their
// rules: key search (also over a text in two parts and in many), header
// values (also of a line in slices), integers, trimming, line splitting, the
// stream line source that reads a note in chunks, the group decoder, and the
// path rules in both path styles.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/header_fields.h"
#include "core/line_splitter.h"
#include "core/output_name_rules.h"
#include "core/paths.h"
#include "core/sjis_text.h"
#include "core/stream_line_source.h"
#include "decode/base64_decode.h"
#include "support/memory_file_system.h"
#include "support/reference_rules.h"

namespace {

namespace reference = marrowpin::reference;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "differs from the rule: %s\n", what);
    std::abort();
  }
}

// The stream source must give the splitter's lines whatever the sizes of its
// chunks and reads, which the script chooses.
void CheckStreamLineSource(std::string_view bytes, std::uint8_t script) {
  marrowpin::testing::MemoryFileSystem files;
  files.notes["note"] = std::string(bytes);
  files.read_size = 1 + script % 5;
  marrowpin::StreamLineSource source(1 + (script >> 3) % 9);
  source.Open("note", files, nullptr);
  std::vector<std::string> lines;
  bool open = false;
  for (marrowpin::LineSlice slice; source.Next(slice);) {
    if (!open) lines.emplace_back();
    lines.back() += slice.text;
    open = !slice.ends_line;
  }
  Require(!open, "stream source closes its last line");
  Require(lines == reference::SplitLines(bytes), "stream source lines");
}

// Cuts text into parts every `step` bytes, as the slices of a line come.
std::vector<std::string_view> Parts(std::string_view text, std::size_t step) {
  std::vector<std::string_view> parts;
  for (std::size_t at = 0; at < text.size(); at += step)
    parts.push_back(text.substr(at, step));
  return parts;
}

void CheckTextInParts(std::string_view text, std::string_view key, std::uint8_t script) {
  const std::size_t step = 1 + script % 11;
  marrowpin::KeySearch search(key);
  marrowpin::HeaderValueReader value;
  for (std::string_view part : Parts(text, step)) {
    search.Feed(part);
    value.Feed(part);
  }
  Require(search.found() == (reference::FindKey(text, key) != std::string_view::npos),
          "KeySearch over parts");
  Require(value.Value() == reference::HeaderValue(text), "HeaderValueReader over parts");
}

// A source path and an output name: the text cut in two.
void CheckPaths(std::string_view path, std::string_view name) {
  for (const bool windows : {true, false}) {
    const marrowpin::PathStyle style =
        windows ? marrowpin::PathStyle::kWindowsUtf8 : marrowpin::PathStyle::kPosix;
    Require(marrowpin::FileNamePart(path, style) == reference::FileNamePart(path, windows),
            "FileNamePart");
    // The conversion joins the output's name to the source's folder so.
    Require(std::string(marrowpin::FolderWithSeparator(path, style)).append(name) ==
                reference::OutputPath(path, name, windows),
            "FolderWithSeparator");
    for (const bool note : {true, false}) {
      const marrowpin::NameSpelling spelling =
          note ? marrowpin::NameSpelling::kNote : marrowpin::NameSpelling::kPath;
      Require(marrowpin::IsUnsafeOutputName(name, spelling, style) ==
                  reference::IsUnsafeOutputName(name, note, windows),
              "IsUnsafeOutputName");
    }
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

  Require(marrowpin::TrimBlanks(text) == reference::TrimBlanks(text), "TrimBlanks");
  Require(marrowpin::ReadInteger(text) == reference::ReadInteger(text), "ReadInteger");
  const std::string value = reference::HeaderValue(text);
  Require(marrowpin::ReadInteger(value) == reference::ReadInteger(value), "ReadInteger (value)");

  std::vector<std::string> lines;
  marrowpin::SplitLines(text, [&](std::string_view line) { lines.emplace_back(line); });
  Require(lines == reference::SplitLines(text), "SplitLines");
  CheckStreamLineSource(text, script);
  CheckTextInParts(text, key, script);
  CheckTextInParts(text, "END:VNOTE", script);

  const std::string_view groups = text.substr(0, text.size() / 4 * 4);
  std::vector<unsigned char> decoded(marrowpin::Base64DecodedSize(groups.size()) + 1, 0xA5);
  const std::size_t count = marrowpin::Base64Decode(groups, decoded.data());
  Require(count == groups.size() / 4 * 3, "Base64Decode count");
  Require(std::string(decoded.begin(), decoded.begin() + count) == reference::Base64Decode(groups),
          "Base64Decode bytes");
  Require(decoded[count] == 0xA5, "Base64Decode stays within its output");
  return 0;
}
