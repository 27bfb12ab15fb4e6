#pragma once

#include <string>
#include <string_view>

// The console program's own English texts beside the conversion's message
// tables (core/messages.h): its usage errors and the failures of the run
// itself, each printed after "marrowpin-cli: ". Names in them are quoted
// already.
namespace marrowpin::cli::usage_texts {

inline constexpr std::string_view kHelpHint = "Try 'marrowpin-cli --help' for more information.";
inline constexpr std::string_view kNoFileGiven = "no FILE given";
inline constexpr std::string_view kStandardInputTwice = "standard input (-) given more than once";
inline constexpr std::string_view kEmptyOutputFolder = "the output folder is empty";

inline std::string NeedsAValue(std::string_view option) {
  return std::string(option) + " needs a value";
}
inline std::string NamesNoFile(std::string_view quoted_name) {
  return "the name " + std::string(quoted_name) + " names no file";
}
inline std::string UnknownOption(std::string_view quoted_option) {
  return "unknown option " + std::string(quoted_option);
}
inline std::string CannotUseOutputFolder(std::string_view quoted_folder, std::string_view why) {
  return "cannot use the output folder " + std::string(quoted_folder) + " (" + std::string(why) +
         ")";
}
inline std::string CannotWriteStandardOutput(std::string_view why) {
  return "cannot write to standard output (" + std::string(why) + ")";
}

}  // namespace marrowpin::cli::usage_texts
