#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_system.h"
#include "core/line_source.h"
#include "core/output_batch.h"
#include "core/sjis_text.h"

namespace marrowpin {

// Decodes the payload line by line into the output file. Each piece is the
// partial group kept from the lines before (the characters beyond the last
// whole group so far) followed by a line, both without blanks at their ends. A line comes in slices
// when it is longer than the source holds at a time: its slices are decoded and written as they
// come, and taken back from the output if a later slice shows that the line is to be skipped or
// ends the payload.
class PayloadWriter {
 public:
  // output already holds `written` bytes (a bitmap header).
  PayloadWriter(OutputFile& output, std::uint64_t written) : output_(output, written) {}

  // Takes the next slice of the payload's lines.
  void Take(LineSlice slice);
  // Takes the clean lines (core/clean_lines.h) at the start of text, whole
  // lines with their line ends, all at once; returns the length taken, 0
  // when the first line is not clean or a line has been taken in part.
  std::size_t TakeCleanLines(std::string_view text);
  // True once a piece held the end mark or was empty.
  bool ended() const { return ended_; }
  // Hands the output file the last bytes. False when any write failed.
  bool Finish() { return output_.Flush(); }
  // The output's bytes so far.
  std::uint64_t size() const { return output_.size(); }

 private:
  bool TakeCleanLine(std::string_view line);
  void StartLine();
  void TakeText(std::string_view text);
  bool TakeCleanText(std::string_view text);
  void EndLine();
  void TakeBackLine();
  void Decode(std::string_view text, bool* only_alphabet = nullptr);
  void DecodeBlanks(std::size_t count);
  std::size_t DecodeInto(std::string_view groups, bool* only_alphabet);

  OutputBatch output_;
  bool ended_ = false;
  // The characters of clean lines, behind the kept partial group.
  std::unique_ptr<char[]> joined_;
  // The characters beyond the last whole group of the lines taken so far.
  std::string kept_partial_group_;

  // The line being taken.
  bool in_line_ = false;
  bool content_seen_ = false;  // a byte above 32: its leading blanks are behind
  std::size_t held_blanks_ = 0;
  bool taken_back_ = false;
  std::uint64_t written_at_line_start_ = 0;
  // The same as the line being taken leaves them; kept when the line ends.
  std::string partial_group_;
  KeySearch skip_key_{"#Content-"};
  KeySearch end_key_{"END:VNOTE"};
};

// Writes the payload: its first piece, then the lines after it, after the
// `written` bytes output holds. The output's size then; nullopt when a write
// failed.
std::optional<std::uint64_t> WritePayload(std::string_view first_piece, LineSource& lines,
                                          OutputFile& output, std::uint64_t written);

}  // namespace marrowpin
