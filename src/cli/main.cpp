// marrowpin-cli: converts note files without a window, for scripts.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line_options.h"
#include "cli/scripted_prompts.h"
#include "core/convert_file.h"
#include "core/error.h"
#include "core/messages.h"
#include "core/stream_line_source.h"
#include "platform/native_file_system.h"

namespace {

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char** argv) {
  using namespace marrowpin;

  std::string error;
  const std::optional<cli::CommandLineOptions> options =
      cli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!options) {
    std::fprintf(stderr, "marrowpin-cli: %s\n%s", error.c_str(), cli::kUsage);
    return kUsageError;
  }
  if (options->help) {
    std::fputs(cli::kUsage, stdout);
    return kAllConverted;
  }

  // The note is read in chunks: memory stays the same for a note of any size.
  StreamLineSource lines;
  cli::ScriptedPrompts prompts(options->overwrite, options->bitmap_header, options->name, stderr);
  NativeFileSystem files;
  BitmapHeaderTemplate bitmap_header;
  const ConversionServices services{lines, prompts, files, bitmap_header, NativePathStyle()};

  bool all_converted = true;
  for (const std::string& file : options->files) {
    prompts.StartFile();
    try {
      all_converted &= ConvertFile(file, services);
    } catch (const Error& e) {
      // An unreadable source fails alone; the others are still converted.
      prompts.ShowMessage(e.what());
      all_converted = false;
    }
  }
  std::puts(all_converted ? messages::kAllConverted : messages::kSomeFailed);
  return all_converted ? kAllConverted : kSomeFailed;
}
