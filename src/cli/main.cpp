// marrowpin-cli: converts note files without a window, for scripts.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "cli/command_line_options.h"
#include "cli/message_language.h"
#include "cli/scripted_prompts.h"
#include "cli/standard_input_file_system.h"
#include "core/convert_file.h"
#include "core/error.h"
#include "core/messages.h"
#include "core/protected_files.h"
#include "core/stream_line_source.h"
#include "platform/file_identity.h"
#include "platform/native_file_system.h"
#include "platform/program_arguments.h"
#include "version.h"

namespace {

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

// The system's word on why there is no file to read at path.
std::string WhyNoFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!error && std::filesystem::is_directory(status)) {
    error = std::make_error_code(std::errc::is_a_directory);
  }
  return error ? error.message() : std::string();
}

// The folder as the conversion takes it: ending in its separator.
std::string WithSeparator(std::string folder) {
  using marrowpin::PathStyle;
  const char separator = marrowpin::NativePathStyle() == PathStyle::kPosix ? '/' : '\\';
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace marrowpin;
  messages::Choose(cli::TextsForLocale());

  std::string error;
  std::optional<cli::CommandLineOptions> options =
      cli::ParseCommandLine(ProgramArguments(argc, argv), &error);
  if (!options) {
    std::fprintf(stderr, "marrowpin-cli: %s\nTry 'marrowpin-cli --help' for more information.\n",
                 error.c_str());
    return kUsageError;
  }
  if (options->help) {
    std::fputs(cli::kUsage, stdout);
    return kAllConverted;
  }
  if (options->version) {
    std::puts("marrowpin-cli " MARROWPIN_VERSION);
    return kAllConverted;
  }

  NativeFileSystem native_files;
  cli::StandardInputFileSystem files(native_files);
  using cli::StandardInputFileSystem;
  // A name typed for the note is spelled as the note's own would be; Windows
  // arguments come in the path spelling already.
  if (options->name && NativePathStyle() == PathStyle::kPosix) {
    options->name = files.PathNameFromNote(*options->name);
  }
  // The note is read in chunks: memory stays the same for a note of any size.
  StreamLineSource lines;
  cli::ScriptedPrompts prompts(options->overwrite, options->bitmap_header, options->name, stderr);
  BitmapHeaderTemplate bitmap_header;
  // No output replaces a note of this run, an output it has written, or
  // the file its messages go to.
  ProtectedFiles protected_files;
  for (const std::string& file : options->files) {
    protected_files.Add(files.FileIdAt(file), NameRequest::kOutputIsRunFile);
    const Entry entry =
        file == StandardInputFileSystem::kStandardInput ? Entry{} : files.EntryAt(file);
    if (entry.kind != Entry::Kind::kNone)
      protected_files.Add(entry.id, NameRequest::kOutputIsRunFile);
  }
  for (StandardStream stream : {StandardStream::kOutput, StandardStream::kError}) {
    protected_files.Add(StandardStreamId(stream), NameRequest::kOutputIsStandardStream);
  }
  const ConversionServices services{lines,         prompts,           files,
                                    bitmap_header, NativePathStyle(), &protected_files};
  const std::string output_folder = WithSeparator(options->output_folder);

  bool all_converted = true;
  for (const std::string& file : options->files) {
    prompts.StartFile(file);
    std::string written_path;
    bool converted = false;
    // Whatever goes wrong with one file ends that file only.
    try {
      if (files.FileExists(file)) {
        converted = ConvertFile(file, services, output_folder, written_path);
      } else {
        prompts.ShowFailure(messages::CannotOpenFile(file), WhyNoFile(file));
      }
    } catch (const Error& e) {
      prompts.ShowFailure(e.what(), e.reason());
    } catch (const std::bad_alloc&) {
      prompts.ShowMessage(messages::Current().out_of_memory);
    } catch (const std::exception& e) {
      prompts.ShowMessage(e.what());
    }
    if (converted) {
      protected_files.Add(files.EntryAt(written_path).id, NameRequest::kOutputWrittenThisRun);
    }
    if (converted && !options->quiet) {
      std::printf("%s -> %s\n", file.c_str(), written_path.c_str());
      // In order with the messages on stderr, where both go to one place.
      std::fflush(stdout);
    }
    all_converted &= converted;
  }
  std::puts(all_converted ? messages::Current().all_converted : messages::Current().some_failed);
  return all_converted ? kAllConverted : kSomeFailed;
}
