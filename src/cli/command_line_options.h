#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marrowpin::cli {

// What the console program is asked to do, and how it answers the questions
// a conversion asks.
struct CommandLineOptions {
  bool overwrite = false;
  bool bitmap_header = false;
  std::optional<std::string> name;
  // Where the outputs go; empty: beside each FILE.
  std::string output_folder;
  bool quiet = false;
  std::vector<std::string> files;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program's name; nullopt on a usage error,
// with the reason in *error.
std::optional<CommandLineOptions> ParseCommandLine(const std::vector<std::string>& arguments,
                                                   std::string* error);

}  // namespace marrowpin::cli
