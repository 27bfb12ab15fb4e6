#include "cli/run.h"

#include <exception>
#include <new>

#include "cli/command_line_options.h"
#include "cli/console_messages.h"
#include "cli/locale_texts.h"
#include "cli/scripted_prompts.h"
#include "cli/shell_quote.h"
#include "cli/standard_input_file_system.h"
#include "cli/usage_texts.h"
#include "core/convert_file.h"
#include "core/error.h"
#include "core/output_group.h"
#include "core/paths.h"
#include "core/protected_files.h"
#include "core/stream_line_source.h"
#include "platform/write_text.h"
#include "version.h"

namespace marrowpin::cli {

namespace {

// Writes a line of the program's own on the error stream, and a second one
// when given; where that fails, there is nowhere left to say so.
void SayError(std::FILE* error, std::string_view text, std::string_view next_line = {}) {
  std::string lines = "marrowpin-cli: " + std::string(text) + "\n";
  if (!next_line.empty()) lines.append(next_line).append("\n");
  std::string unused_reason;
  WriteText(error, lines, &unused_reason);
}

// Writes text to the output stream at once; false, with a message on the
// error stream, when it does not get there.
bool WriteOutput(const ConsoleStreams& streams, std::string_view text) {
  std::string reason;
  if (WriteText(streams.output, text, &reason)) return true;
  SayError(streams.error, usage_texts::CannotWriteStandardOutput(reason));
  return false;
}

// The conversions of one run, FILE by FILE.
int ConvertAll(const CommandLineOptions& options, FileSystem& native_files,
               const ConsoleStreams& streams, const LocaleTexts& texts) {
  native_files.WordReasonsIn(texts.conversion());
  StandardInputFileSystem files(native_files, streams.input, streams.input_id);
  // A name typed for the note is spelled as the note's own would be; Windows
  // arguments come in the path spelling already.
  std::optional<std::string> name = options.name;
  if (name && NativePathStyle() == PathStyle::kPosix) name = files.PathNameFromNote(*name);
  // The note is read in chunks: memory stays the same for a note of any size.
  StreamLineSource lines;
  ScriptedPrompts prompts(options.overwrite, options.bitmap_header, name, texts, streams.error);
  BitmapHeaderTemplate bitmap_header;
  const ConsoleMessages messages(texts.conversion(), texts.console());
  // No output replaces a note of this run (the file a link leads to, and
  // the link itself), an output it has written, or the file its messages go to.
  ProtectedFiles protected_files;
  for (const std::string& file : options.files) {
    protected_files.Add(files.FileIdAt(file), NameReason::kOutputIsRunFile);
    const Entry entry =
        file == StandardInputFileSystem::kStandardInput ? Entry{} : files.EntryAt(file);
    if (entry.kind != Entry::Kind::kNone)
      protected_files.Add(entry.id, NameReason::kOutputIsRunFile);
  }
  protected_files.Add(streams.output_id, NameReason::kOutputIsStandardStream);
  protected_files.Add(streams.error_id, NameReason::kOutputIsStandardStream);
  bool all_converted = true;
  bool output_failed = false;
  // Outputs are put in place in groups and reported as each group ends:
  // each line on stdout is said once its output is on the disk.
  OutputGroup group(files, NativePathStyle(), [&](const OutputGroup::Outcome& done) {
    if (!done.placed) {
      all_converted = false;
      prompts.ShowOutputFailureOf(done.source_path, texts.conversion().cannot_write_file,
                                  done.output_path, done.reason);
      return;
    }
    protected_files.Add(files.EntryAt(done.output_path).id, NameReason::kOutputWrittenThisRun);
    // Flushed at once, in order with the messages on the error stream, where
    // both go to one place.
    if (!options.quiet && !output_failed &&
        !WriteOutput(streams,
                     QuotedName(done.source_path) + " -> " + QuotedName(done.output_path) + "\n")) {
      output_failed = true;
    }
  });
  prompts.EndBeforeMessages(group);
  const ConversionServices services{
      lines,   prompts, files, bitmap_header, messages, NativePathStyle(), &protected_files,
      nullptr, &group};
  const std::string output_folder = FolderPrefix(options.output_folder, NativePathStyle());

  for (const std::string& file : options.files) {
    prompts.StartFile(file);
    bool converted = false;
    // Whatever goes wrong with one file ends that file only.
    try {
      // The FILE may be an output of an earlier one that waits for its name;
      // a stream may keep the run waiting, while the outputs before it are
      // put in place and said.
      group.EndIfWaitingAt(file);
      const bool stream = files.HasNoFolderOfItsOwn(file);
      if (stream) group.End();
      if (files.FileExists(file)) {
        // A FILE read as a stream writes where "-" does: into the current folder.
        const bool beside_file = output_folder.empty() && !stream;
        std::string written_path;
        converted =
            ConvertFile(file, services,
                        beside_file ? std::nullopt : std::optional<std::string_view>(output_folder),
                        written_path);
      } else {
        prompts.ShowFailure(messages.CannotOpenFile(file), files.MissingFileReason(file));
      }
    } catch (const Error& e) {
      prompts.ShowFailure(e.what(), e.reason());
    } catch (const std::bad_alloc&) {
      prompts.ShowMessage(texts.conversion().out_of_memory);
    } catch (const std::exception& e) {
      prompts.ShowMessage(e.what());
    }
    all_converted &= converted;
    // The first output is said alone: where stdout cannot be written, the
    // run ends before it converts more.
    if (&file == &options.files.front()) group.End();
    if (output_failed || prompts.WriteFailed()) break;
  }
  // Nothing is said before every output is on the disk.
  group.End();
  if (output_failed || prompts.WriteFailed()) return kSomeFailed;
  const messages::Texts& closing = texts.conversion();
  if (!WriteOutput(
          streams,
          std::string(all_converted ? closing.all_converted : closing.some_failed) + "\n")) {
    return kSomeFailed;
  }
  return all_converted ? kAllConverted : kSomeFailed;
}

}  // namespace

int Run(const std::vector<std::string>& arguments, FileSystem& files, const ConsoleStreams& streams,
        const ConsoleEnvironment& environment) {
  std::string error;
  const std::optional<CommandLineOptions> options = ParseCommandLine(arguments, &error);
  if (!options) {
    SayError(streams.error, error, usage_texts::kHelpHint);
    return kUsageError;
  }
  if (options->help) return WriteOutput(streams, usage_texts::kUsage) ? kAllConverted : kSomeFailed;
  if (options->version) {
    return WriteOutput(streams, "marrowpin-cli " MARROWPIN_VERSION "\n") ? kAllConverted
                                                                         : kSomeFailed;
  }
  // A folder that cannot take the outputs is said once, before any FILE.
  if (!options->output_folder.empty()) {
    const std::string why = files.NotAFolderReason(options->output_folder);
    if (!why.empty()) {
      SayError(streams.error,
               usage_texts::CannotUseOutputFolder(QuotedName(options->output_folder), why));
      return kUsageError;
    }
  }
  const LocaleTexts texts(WantsJapanese(environment.variable, environment.user_language),
                          environment.charset);
  return ConvertAll(*options, files, streams, texts);
}

}  // namespace marrowpin::cli
