#include "win_text/batch_texts.h"

#include <algorithm>

#include "core/messages.h"
#include "win_text/window_texts.h"

namespace marrowpin::win_text {

namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         std::equal(ending.begin(), ending.end(), text.end() - ending.size(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::string FailureText(std::string_view message, std::string_view note_path,
                        std::string_view output_path, std::string_view reason) {
  std::string text(message);
  const auto add = [&text](std::string_view label, std::string_view value) {
    if (value.empty()) return;
    text += '\n';
    text += label;
    text += value;
  };
  add(kNotePathLabel, note_path);
  add(kOutputPathLabel, output_path);
  add(kReasonLabel, reason);
  return text;
}

std::string OverwriteQuestion(std::string_view question, std::string_view output_path) {
  return FailureText(question, {}, output_path, {});
}

std::string NameNotice(const NameRequest& request) {
  switch (request.why) {
    case NameReason::kNoteNamesNone:
    case NameReason::kOutputIsStandardStream:  // no window writes to a stream
      break;
    case NameReason::kNameTooLong:
      return WithSystemReason(kConversionTexts.name_too_long, request.system_reason);
    case NameReason::kOutputExists:
      return std::string(kOutputExistsNotice);
    case NameReason::kNoteNameRefused:
      return std::string(kNoteNameRefusedNotice);
    case NameReason::kOutputIsSource:
      return std::string(kOutputIsSourceNotice);
    case NameReason::kOutputIsRunFile:
      return std::string(kOutputIsRunFileNotice);
    case NameReason::kOutputWrittenThisRun:
      return std::string(kOutputWrittenThisRunNotice);
  }
  return kConversionTexts.no_file_name_key;
}

std::string ProgressCaption(std::string_view caption, int current, int total,
                            std::optional<int> note_percent) {
  std::string text = std::to_string(current);
  text += '/';
  text += std::to_string(total);
  if (note_percent) {
    text += ' ';
    text += std::to_string(std::clamp(*note_percent, 0, 100));
    text += '%';
  }
  text += " - ";
  text += caption;
  return text;
}

std::string WithFailedLines(std::string_view message, const std::vector<FailedLine>& failed) {
  std::string text(message);
  const std::size_t shown = std::min(failed.size(), kFailedLinesShown);
  for (std::size_t i = 0; i < shown; ++i) {
    const FailedLine& line = failed[i];
    const bool blank = std::all_of(line.text.begin(), line.text.end(), IsBlank);
    text += '\n';
    text += blank ? BlankListLine(line.number) : line.text;
  }
  if (failed.size() > shown) {
    text += '\n';
    text += MoreFailedLines(static_cast<int>(failed.size() - shown));
  }
  return text;
}

std::string PathOfListLine(std::string_view line) {
  std::string_view trimmed = line;
  while (!trimmed.empty() && IsBlank(trimmed.front()))
    trimmed.remove_prefix(1);
  while (!trimmed.empty() && IsBlank(trimmed.back()))
    trimmed.remove_suffix(1);
  if (trimmed.size() < 2 || trimmed.front() != '"' || trimmed.back() != '"') {
    return std::string(line);
  }
  const std::string_view inside = trimmed.substr(1, trimmed.size() - 2);
  if (inside.find('"') != std::string_view::npos) return std::string(line);
  return std::string(inside);
}

bool IsNoteName(std::string_view name) {
  return EndsWithIgnoringCase(name, ".vnt") || EndsWithIgnoringCase(name, "dat");
}

bool ComesBeforeByName(std::string_view a, std::string_view b) {
  const auto lower_less = [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower_less)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower_less))
    return false;
  return a < b;
}

}  // namespace marrowpin::win_text
