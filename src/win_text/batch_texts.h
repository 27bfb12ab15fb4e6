#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_prompts.h"

// What the window's batch shows and reads, in the program's UTF-8, apart from
// the window system so that it can be checked anywhere.
namespace marrowpin::win_text {

// A failure's box: its message first, then the note, the output where there
// is one and the system's reason where it gave one, a line each.
std::string FailureText(std::string_view message, std::string_view note_path,
                        std::string_view output_path, std::string_view reason);

// The overwrite question with the output's path below its text, as a
// failure's box names it.
std::string OverwriteQuestion(std::string_view question, std::string_view output_path);

// The notice before the name dialog: why the name is asked for.
std::string NameNotice(const NameRequest& request);

// The window's caption while a batch runs: how far it has got, with how
// far the note in hand has got when that is known (percent, clamped to
// 0..100), then the caption as designed.
std::string ProgressCaption(std::string_view caption, int current, int total,
                            std::optional<int> note_percent = std::nullopt);

// A line of the list that failed: its number from 1 and its text as it stands.
struct FailedLine {
  int number;
  std::string text;
};

// The closing message with the failed lines below it: the first
// kFailedLinesShown as they stand (a blank one by its number), then how many
// more.
inline constexpr std::size_t kFailedLinesShown = 20;
std::string WithFailedLines(std::string_view message, const std::vector<FailedLine>& failed);

// The path a line of the list names: the path inside the double quotes of a
// quoted line (blanks around it allowed), which is how a shell copies a
// path, else the line unchanged. No path can hold a quote.
std::string PathOfListLine(std::string_view line);

// Whether a file of this name is a note as the browse dialog's first filter
// shows them: "*.vnt" or a name ending in "dat", in any case.
bool IsNoteName(std::string_view name);

// The order notes of one folder are listed in: by name, ignoring the case of
// ASCII letters, then by their bytes.
bool ComesBeforeByName(std::string_view a, std::string_view b);

}  // namespace marrowpin::win_text
