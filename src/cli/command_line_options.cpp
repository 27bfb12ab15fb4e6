#include "cli/command_line_options.h"

#include <getopt.h>

#include <algorithm>
#include <string_view>

#include "cli/shell_quote.h"
#include "cli/usage_texts.h"
#include "core/header_fields.h"
#include "core/paths.h"

namespace marrowpin::cli {

namespace {

// Long options without a short form take these values.
enum LongOnly : int { kOverwrite = 256, kBitmapHeader, kName, kVersion };

constexpr const char* kShortOptions = ":d:hq";
constexpr option kLongOptions[] = {
    {"output-dir", required_argument, nullptr, 'd'},
    {"overwrite", no_argument, nullptr, kOverwrite},
    {"bmp-header", no_argument, nullptr, kBitmapHeader},
    {"name", required_argument, nullptr, kName},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// The option getopt_long stopped at, as the user wrote it: a long one
// without its "=VALUE", a short one alone even when bundled with others.
std::string OptionAsGiven(int short_option, std::string_view argument) {
  if (argument.starts_with("--")) return std::string(argument.substr(0, argument.find('=')));
  return std::string("-") + char(short_option);
}

}  // namespace

std::optional<CommandLineOptions> ParseCommandLine(const std::vector<std::string>& arguments,
                                                   std::string* error) {
  // getopt_long takes argv as main() has it: the program's name first.
  std::vector<std::string> words = {"marrowpin-cli"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(words.size());

  CommandLineOptions options;
  // Each call parses afresh and prints nothing of its own.
  optind = 0;
  opterr = 0;
  for (int option;
       (option = getopt_long(argc, argv.data(), kShortOptions, kLongOptions, nullptr)) != -1;) {
    const char* given = argv[optind - 1];
    switch (option) {
      case 'd':
        if (*optarg == '\0') {
          *error = usage_texts::kEmptyOutputFolder;
          return std::nullopt;
        }
        options.output_folder = optarg;
        break;
      case kOverwrite:
        options.overwrite = true;
        break;
      case kBitmapHeader:
        options.bitmap_header = true;
        break;
      case kName: {
        // The conversion uses the trimmed name's file-name part, which must name a file.
        const std::string_view file_name = FileNamePart(TrimBlanks(optarg), NativePathStyle());
        if (file_name.empty() || file_name == "." || file_name == "..") {
          *error = usage_texts::NamesNoFile(QuotedName(optarg));
          return std::nullopt;
        }
        options.name = optarg;
        break;
      }
      case 'q':
        options.quiet = true;
        break;
      case 'h':
        options.help = true;
        break;
      case kVersion:
        options.version = true;
        break;
      case ':':
        *error = usage_texts::NeedsAValue(OptionAsGiven(optopt, given));
        return std::nullopt;
      default:
        *error = usage_texts::UnknownOption(QuotedName(OptionAsGiven(optopt, given)));
        return std::nullopt;
    }
  }
  // getopt_long has moved the FILEs behind the options, in their order.
  for (int i = optind; i < argc; ++i) {
    const std::string_view file = argv[i];
    // Standard input holds one note: read a second time it would be empty.
    if (file == "-" && std::ranges::find(options.files, "-") != options.files.end()) {
      *error = usage_texts::kStandardInputTwice;
      return std::nullopt;
    }
    options.files.emplace_back(file);
  }
  if (!options.help && !options.version && options.files.empty()) {
    *error = usage_texts::kNoFileGiven;
    return std::nullopt;
  }
  return options;
}

}  // namespace marrowpin::cli
