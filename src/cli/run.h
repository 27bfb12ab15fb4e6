#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/message_language.h"
#include "core/file_system.h"

namespace marrowpin::cli {

// The exit statuses of a run.
inline constexpr int kAllConverted = 0;
inline constexpr int kSomeFailed = 1;
inline constexpr int kUsageError = 2;

// The streams a run reads and writes, and the files behind them as far as
// the system tells, so that no output replaces one.
struct ConsoleStreams {
  std::FILE* input;
  std::FILE* output;
  std::FILE* error;
  std::optional<FileId> input_id;
  std::optional<FileId> output_id;
  std::optional<FileId> error_id;
};

// What a run takes from its surroundings beyond its arguments.
struct ConsoleEnvironment {
  EnvironmentVariable variable;
  // The character set the locale writes text in (LocaleCharset()).
  std::string charset;
  // The user's language for the system's texts (UserInterfaceLanguage()).
  std::string user_language;
};

// Runs the console program on its arguments (those after its name) with the
// given file services ("-" is added here) and returns the exit status.
//
// Every line on the output and error streams is flushed as it is written and
// checked; a failed write ends the run with exit status 1, with a message on
// the error stream when that is not the stream that failed.
int Run(const std::vector<std::string>& arguments, FileSystem& files, const ConsoleStreams& streams,
        const ConsoleEnvironment& environment);

}  // namespace marrowpin::cli
