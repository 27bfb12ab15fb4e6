#include "core/payload_writer.h"

#include <algorithm>

#include "core/clean_lines.h"
#include "core/header_fields.h"
#include "decode/base64_decode.h"

namespace marrowpin {

void PayloadWriter::Take(LineSlice slice) {
  if (!in_line_ && slice.ends_line && kept_partial_group_.empty() && TakeCleanLine(slice.text))
    return;
  if (!in_line_) StartLine();
  std::string_view text = slice.text;
  if (!content_seen_) {
    text = TrimLeadingBlanks(text);
    content_seen_ = !text.empty();
  }
  if (!text.empty()) TakeText(text);
  if (slice.ends_line) EndLine();
}

// Clean lines are looked for and joined a window at a time, which the cache
// holds until they are decoded.
constexpr std::size_t kCleanWindow = std::size_t{64} << 10;
// The first window is short: a line longer than that comes in slices anyway
// once the source's chunk ends, and is not searched twice.
constexpr std::size_t kFirstCleanWindow = std::size_t{4} << 10;
// Room for the kept partial group in front of the joined characters, and for
// the whole vector that the last joining step stores.
constexpr std::size_t kJoinedRoom = 3 + kCleanWindow + 64;

std::size_t PayloadWriter::TakeCleanLines(std::string_view text) {
  if (in_line_ || ended_) return 0;
  std::size_t taken = 0;
  while (taken < text.size()) {
    if (!joined_) joined_ = std::make_unique_for_overwrite<char[]>(kJoinedRoom);
    // Each line's piece is the partial group so far joined to the line.
    char* const joined = joined_.get();
    const std::size_t kept = kept_partial_group_.size();
    kept_partial_group_.copy(joined, kept);
    const CleanLines clean = JoinCleanLines(
        text.substr(taken, taken == 0 ? kFirstCleanWindow : kCleanWindow), joined + kept);
    if (clean.length == 0) break;
    const std::size_t size = kept + clean.characters;
    const std::size_t whole = size / 4 * 4;
    output_.Gather(DecodeInto(std::string_view(joined, whole), nullptr));
    kept_partial_group_.assign(joined + whole, size - whole);
    taken += clean.length;
  }
  return taken;
}

// The quick way for a whole line after a whole group: when every character
// is in the alphabet, the line holds no blank and no key and is decoded
// as it is. False, with nothing written, for any other line.
bool PayloadWriter::TakeCleanLine(std::string_view line) {
  const std::size_t whole = line.size() / 4 * 4;
  const std::string_view rest = line.substr(whole);
  if (line.empty() || !std::all_of(rest.begin(), rest.end(), IsInBase64Alphabet)) return false;
  bool only_alphabet = false;
  const std::size_t count = DecodeInto(line.substr(0, whole), &only_alphabet);
  if (!only_alphabet) return false;
  output_.Gather(count);
  if (!rest.empty()) kept_partial_group_.assign(rest);
  return true;
}

void PayloadWriter::StartLine() {
  in_line_ = true;
  content_seen_ = false;
  held_blanks_ = 0;
  taken_back_ = false;
  written_at_line_start_ = output_.size();
  partial_group_ = kept_partial_group_;
  skip_key_.Reset();
  end_key_.Reset();
  skip_key_.Feed(kept_partial_group_);
  end_key_.Feed(kept_partial_group_);
}

void PayloadWriter::TakeText(std::string_view text) {
  if (TakeCleanText(text)) return;
  skip_key_.Feed(text);
  end_key_.Feed(text);
  if (skip_key_.found() || end_key_.found()) {
    TakeBackLine();
    return;
  }
  // Blanks at the slice's end may be the line's last bytes, which are
  // trimmed: they are held until more of the line follows.
  const std::string_view body = TrimTrailingBlanks(text);
  if (!body.empty()) {
    DecodeBlanks(held_blanks_);
    held_blanks_ = 0;
    Decode(body);
  }
  held_blanks_ += text.size() - body.size();
}

void PayloadWriter::EndLine() {
  in_line_ = false;
  if (skip_key_.found()) return;  // the kept partial group stays as it was
  if (end_key_.found() || (kept_partial_group_.empty() && !content_seen_)) {
    ended_ = true;
    return;
  }
  // Trimmed like a line: a blank inside a line can come first in it.
  kept_partial_group_.assign(TrimBlanks(partial_group_));
}

// The quick way for a long slice of alphabet characters only, as a line
// longer than the source holds comes: it has no blanks, and a key in it
// would need a character outside the alphabet, so a key can only be one
// that begins in the bytes before it and ends in its first bytes. The key
// searches are fed those first bytes and, for the bytes they keep, its last
// ones; the bytes between, all in the alphabet, can neither hold nor join a
// key. The slice is decoded first, its groups telling whether they were all
// in the alphabet; false, with nothing taken, for any other slice.
bool PayloadWriter::TakeCleanText(std::string_view text) {
  const std::size_t edge = std::max(skip_key_.key().size(), end_key_.key().size()) - 1;
  // After a key the rest of the line is dropped as it comes.
  if (taken_back_ || held_blanks_ > 0 || text.size() < 4 * edge) return false;
  const std::string_view head = text.substr(0, edge);
  const std::string_view tail = text.substr(text.size() - edge);
  if (!std::all_of(head.begin(), head.end(), IsInBase64Alphabet) ||
      !std::all_of(tail.begin(), tail.end(), IsInBase64Alphabet)) {
    return false;
  }
  const std::uint64_t written_before = output_.size();
  const std::string partial_group_before = partial_group_;
  bool only_alphabet = false;
  Decode(text, &only_alphabet);
  if (!only_alphabet) {
    output_.TruncateTo(written_before);
    partial_group_ = partial_group_before;
    return false;
  }
  for (KeySearch* key : {&skip_key_, &end_key_}) {
    key->Feed(head);
    key->Feed(tail);
  }
  if (skip_key_.found() || end_key_.found()) TakeBackLine();
  return true;
}

// Removes what this line wrote: it is skipped or ends the payload.
void PayloadWriter::TakeBackLine() {
  if (taken_back_) return;
  taken_back_ = true;
  output_.TruncateTo(written_at_line_start_);
}

// Decodes the partial group followed by text, up to the last whole group;
// the rest is the partial group then.
void PayloadWriter::Decode(std::string_view text, bool* only_alphabet) {
  if (!partial_group_.empty()) {
    const std::size_t taken = std::min(text.size(), 4 - partial_group_.size());
    partial_group_.append(text.substr(0, taken));
    text.remove_prefix(taken);
    if (partial_group_.size() < 4) return;
    output_.Gather(DecodeInto(partial_group_, nullptr));
    partial_group_.clear();
  }
  const std::size_t whole = text.size() / 4 * 4;
  output_.Gather(DecodeInto(text.substr(0, whole), only_alphabet));
  partial_group_.assign(text.substr(whole));
}

// Blanks inside a line: every byte of value 32 or below decodes as a space
// does, and is trimmed as one from a kept partial group.
void PayloadWriter::DecodeBlanks(std::size_t count) {
  static constexpr std::string_view kSpaces = "                                ";
  for (; count > 0; count -= std::min(count, kSpaces.size()))
    Decode(kSpaces.substr(0, count));
}

// Decodes into the output's room; the bytes count once gathered.
std::size_t PayloadWriter::DecodeInto(std::string_view groups, bool* only_alphabet) {
  return Base64Decode(groups, output_.Room(Base64DecodedSize(groups.size())), only_alphabet);
}

std::optional<std::uint64_t> WritePayload(std::string_view first_piece, LineSource& lines,
                                          OutputFile& output, std::uint64_t written) {
  PayloadWriter payload(output, written);
  if (!first_piece.empty()) payload.Take(LineSlice{first_piece, true});
  for (LineSlice slice; !payload.ended();) {
    // Runs of clean lines straight from the source's bytes, the rest line by
    // line.
    lines.Pass(payload.TakeCleanLines(lines.BytesAhead()));
    if (!lines.Next(slice)) break;
    payload.Take(slice);
  }
  if (!payload.Finish()) return std::nullopt;
  return payload.size();
}

}  // namespace marrowpin
