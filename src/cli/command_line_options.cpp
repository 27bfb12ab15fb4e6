#include "cli/command_line_options.h"

namespace marrowpin::cli {

const char* const kUsage =
    "Usage: marrowpin-cli [--overwrite] [--bmp-header] [--name NAME] [--] FILE...\n"
    "Extracts the base64 attachment of each note FILE into a file beside it.\n"
    "\n"
    "  --overwrite    answer yes when an output file exists (default: no)\n"
    "  --bmp-header   answer yes to adding a bitmap header to raw 16-bit pixels\n"
    "                 (default: no)\n"
    "  --name NAME    the output name to use when a FILE names none, or its output\n"
    "                 is not overwritten; only its file-name part is used\n"
    "                 (default: such a FILE is not converted)\n"
    "  --help         show this text\n"
    "\n"
    "Messages go to stderr; the closing line goes to stdout. Exit status: 0 when\n"
    "every FILE converted, 1 when any failed, 2 on a usage error.\n";

std::optional<CommandLineOptions> ParseCommandLine(const std::vector<std::string>& arguments,
                                                   std::string* error) {
  CommandLineOptions options;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument.empty() || argument[0] != '-' || argument == "-") {
      options.files.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--overwrite") {
      options.overwrite = true;
    } else if (argument == "--bmp-header") {
      options.bitmap_header = true;
    } else if (argument == "--help") {
      options.help = true;
    } else if (argument == "--name") {
      if (i + 1 == arguments.size()) {
        *error = "--name needs a value";
        return std::nullopt;
      }
      options.name = arguments[++i];
    } else {
      *error = "unknown option " + argument;
      return std::nullopt;
    }
  }
  if (!options.help && options.files.empty()) {
    *error = "no FILE given";
    return std::nullopt;
  }
  return options;
}

}  // namespace marrowpin::cli
