#pragma once

#include <string>
#include <string_view>

// The console program's own English texts beside the conversion's message
// tables (core/messages.h): its usage errors and the failures of the run
// itself, each printed after "marrowpin-cli: ". Names in them are quoted
// already.
namespace marrowpin::cli::usage_texts {

inline constexpr std::string_view kUsage =
    "Usage: marrowpin-cli [OPTION]... FILE...\n"
    "Extracts the base64 attachment of each note FILE into a file beside it\n"
    "(or into DIR). With FILE -, reads the note from standard input; a FILE that\n"
    "is no regular file (a device, a FIFO, /dev/stdin, <(...)) is read as - is.\n"
    "\n"
    "  -d, --output-dir DIR  write the outputs into DIR (default: beside each\n"
    "                        FILE, and the current folder for - and a FILE\n"
    "                        that is no regular file)\n"
    "      --overwrite       answer yes when an output file exists (default: no)\n"
    "      --bmp-header      answer yes to adding a bitmap header to raw 16-bit\n"
    "                        pixels (default: no)\n"
    "      --name NAME       the output name to use when a FILE names none, or its\n"
    "                        output is not overwritten; only its file-name part is\n"
    "                        used (default: such a FILE is not converted)\n"
    "  -q, --quiet           print only the closing line on stdout\n"
    "  -h, --help            show this text\n"
    "      --version         show the version\n"
    "Short options may be bundled (-qd DIR) and take their value joined (-dDIR);\n"
    "-- ends the options.\n"
    "\n"
    "Each output written prints a line FILE -> OUTPUT on stdout, and a closing\n"
    "line follows. Messages go to stderr as FILE: TEXT (REASON), a failed output\n"
    "as FILE: TEXT: OUTPUT (REASON). Exit status: 0 when every FILE converted,\n"
    "1 when any failed, 2 on a usage error.\n"
    "\n"
    "An output is whole or not there: nobody can open it before it is in place,\n"
    "and a failed or interrupted run leaves no part of it. A new output gets the\n"
    "permissions of any new file in its folder; a replaced file hands on its\n"
    "owner, permissions and extended attributes, but never file capabilities.\n"
    "After a power cut a replaced output is there whole, old or new; a new one\n"
    "may be empty or missing.\n";

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
