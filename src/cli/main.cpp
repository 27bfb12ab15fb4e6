// marrowpin-cli: converts note files without a window, for scripts.
//
// Writing: every line on stdout and stderr is flushed as it is written and
// checked; a failed write ends the run with exit status 1, with a message on
// stderr when stderr is not the stream that failed. A closed pipe on stdout
// ends the program by SIGPIPE, as it does other command-line tools, unless
// the caller ignores that signal: the write then fails with EPIPE like any
// other.

#include <clocale>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/command_line_options.h"
#include "cli/message_language.h"
#include "cli/scripted_prompts.h"
#include "cli/shell_quote.h"
#include "cli/standard_input_file_system.h"
#include "cli/usage_texts.h"
#include "core/convert_file.h"
#include "core/error.h"
#include "core/messages.h"
#include "core/protected_files.h"
#include "core/stream_line_source.h"
#include "platform/file_identity.h"
#include "platform/native_file_system.h"
#include "platform/program_arguments.h"
#include "platform/write_text.h"
#include "version.h"

namespace {

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

// The folder as the conversion takes it: ending in its separator.
std::string WithSeparator(std::string folder) {
  using marrowpin::PathStyle;
  const char separator = marrowpin::NativePathStyle() == PathStyle::kPosix ? '/' : '\\';
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder;
}

// Writes the program's own message on stderr; where that fails, there is
// nowhere left to say so.
void WriteToStderr(const std::string& message) {
  std::string unused_reason;
  marrowpin::WriteText(stderr, "marrowpin-cli: " + message + "\n", &unused_reason);
}

// Writes text to stdout at once; false, with a message on stderr, when it
// does not get there.
bool WriteToStdout(const std::string& text) {
  std::string reason;
  if (marrowpin::WriteText(stdout, text, &reason)) return true;
  WriteToStderr(marrowpin::cli::usage_texts::CannotWriteStandardOutput(reason));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace marrowpin;
#ifndef _WIN32
  // Names are printed as they are only where the locale's character set
  // shows them as printable characters; Windows builds read them as UTF-8.
  std::setlocale(LC_CTYPE, "");
#endif
  messages::Choose(cli::TextsForLocale());
  messages::QuotePathsWith(cli::QuotedName);

  std::string error;
  std::optional<cli::CommandLineOptions> options =
      cli::ParseCommandLine(ProgramArguments(argc, argv), &error);
  if (!options) {
    WriteToStderr(error + "\n" + std::string(cli::usage_texts::kHelpHint));
    return kUsageError;
  }
  if (options->help) {
    return WriteToStdout(cli::kUsage) ? kAllConverted : kSomeFailed;
  }
  if (options->version) {
    return WriteToStdout("marrowpin-cli " MARROWPIN_VERSION "\n") ? kAllConverted : kSomeFailed;
  }
  NativeFileSystem native_files;
  cli::StandardInputFileSystem files(native_files);
  // A folder that cannot take the outputs is said once, before any FILE.
  if (!options->output_folder.empty()) {
    const std::string why = files.NotAFolderReason(options->output_folder);
    if (!why.empty()) {
      const std::string message =
          cli::usage_texts::CannotUseOutputFolder(cli::QuotedName(options->output_folder), why);
      WriteToStderr(message);
      return kUsageError;
    }
  }

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
        prompts.ShowFailure(messages::CannotOpenFile(file), files.MissingFileReason(file));
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
    // Flushed at once, in order with the messages on stderr, where both go
    // to one place.
    if (converted && !options->quiet &&
        !WriteToStdout(cli::QuotedName(file) + " -> " + cli::QuotedName(written_path) + "\n")) {
      return kSomeFailed;
    }
    if (prompts.WriteFailed()) return kSomeFailed;
    all_converted &= converted;
  }
  const messages::Texts& texts = messages::Current();
  if (!WriteToStdout(std::string(all_converted ? texts.all_converted : texts.some_failed) + "\n")) {
    return kSomeFailed;
  }
  return all_converted ? kAllConverted : kSomeFailed;
}
