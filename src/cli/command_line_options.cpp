#include "cli/command_line_options.h"

#include <algorithm>
#include <string_view>

#include "cli/shell_quote.h"
#include "cli/usage_texts.h"
#include "core/header_fields.h"
#include "core/paths.h"

namespace marrowpin::cli {

const char* const kUsage =
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
    "\n"
    "Each output written prints a line FILE -> OUTPUT on stdout, and a closing\n"
    "line follows. Messages go to stderr, each after the FILE it concerns. Exit\n"
    "status: 0 when every FILE converted, 1 when any failed, 2 on a usage error.\n";

namespace {

// The value of an option given as "--option=VALUE" or "--option VALUE".
class OptionValues {
 public:
  OptionValues(const std::vector<std::string>& arguments, std::size_t& index)
      : arguments_(arguments), index_(index) {}

  // True when the argument at the index is option (long form "--x" also as
  // "--x=VALUE", short form "-x"); *value receives its value.
  bool Take(std::string_view long_form, std::string_view short_form, std::string* value,
            std::string* error) {
    const std::string_view argument = arguments_[index_];
    if (argument.starts_with(long_form) && argument.size() > long_form.size() &&
        argument[long_form.size()] == '=') {
      *value = argument.substr(long_form.size() + 1);
      return true;
    }
    if (argument != long_form && (short_form.empty() || argument != short_form)) return false;
    if (index_ + 1 == arguments_.size()) {
      *error = usage_texts::NeedsAValue(argument);
      return true;
    }
    *value = arguments_[++index_];
    return true;
  }

 private:
  const std::vector<std::string>& arguments_;
  std::size_t& index_;
};

}  // namespace

std::optional<CommandLineOptions> ParseCommandLine(const std::vector<std::string>& arguments,
                                                   std::string* error) {
  CommandLineOptions options;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    OptionValues values(arguments, i);
    std::string value;
    if (options_ended || argument.empty() || argument[0] != '-' || argument == "-") {
      // Standard input holds one note: read a second time it would be empty.
      if (argument == "-" && std::ranges::find(options.files, "-") != options.files.end()) {
        *error = usage_texts::kStandardInputTwice;
      }
      options.files.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--overwrite") {
      options.overwrite = true;
    } else if (argument == "--bmp-header") {
      options.bitmap_header = true;
    } else if (argument == "-q" || argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "-h" || argument == "--help") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (values.Take("--name", "", &value, error)) {
      // The conversion uses the trimmed name's file-name part, which must name a file.
      const std::string_view file_name = FileNamePart(TrimBlanks(value), NativePathStyle());
      if ((file_name.empty() || file_name == "." || file_name == "..") && error->empty()) {
        *error = usage_texts::NamesNoFile(QuotedName(value));
      }
      options.name = value;
    } else if (values.Take("--output-dir", "-d", &value, error)) {
      if (value.empty() && error->empty()) *error = usage_texts::kEmptyOutputFolder;
      options.output_folder = value;
    } else {
      *error = usage_texts::UnknownOption(QuotedName(argument));
    }
    if (!error->empty()) return std::nullopt;
  }
  if (!options.help && !options.version && options.files.empty()) {
    *error = usage_texts::kNoFileGiven;
    return std::nullopt;
  }
  return options;
}

}  // namespace marrowpin::cli
