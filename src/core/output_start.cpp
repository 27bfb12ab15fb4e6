#include "core/output_start.h"

#include <utility>

#include "core/header_fields.h"
#include "core/output_name_rules.h"

namespace marrowpin {

namespace {

// What an attempt to start an output came to: the output, or why another
// name is needed; neither when the output cannot be started (then said).
struct StartAttempt {
  std::unique_ptr<OutputFile> file;
  std::optional<NameRequest> ask_again;
};

// The name that stands for the output, and why another is asked for when
// none does.
struct NameChoice {
  std::string name;
  std::optional<NameRequest> ask;
};

// The note's own name for its output, or why the user is asked for one.
NameChoice NameFromNote(const OutputHints& hints, const std::string& output_folder,
                        const ConversionServices& services) {
  NoteOutputName from_note =
      OutputNameFromNote(hints.name, output_folder, services.path_style, services.files);
  switch (from_note.fault) {
    case NoteOutputName::Fault::kRefused:
      return {{}, NameRequest{NameReason::kNoteNameRefused, {}}};
    case NoteOutputName::Fault::kNoName:
      return {{}, NameRequest{NameReason::kNoteNamesNone, {}}};
    case NoteOutputName::Fault::kNone:
      break;
  }
  return {std::move(from_note.name), std::nullopt};
}

// Asks the user for the output name, telling why; nullopt when the user
// gives none. Only the name of a chosen path counts: the output always goes
// into the one folder. An empty name is one that names no file.
std::optional<std::string> AskForOutputName(const NameRequest& request, const SourceNote& source,
                                            const std::string& output_folder,
                                            const OutputHints& hints,
                                            const ConversionServices& services) {
  const std::optional<std::string> chosen = services.prompts.AskFileName(
      request, services.messages.NameDialogTitle(source.name, hints.headerless), output_folder);
  if (!chosen) return std::nullopt;
  const std::string_view trimmed = TrimBlanks(*chosen);
  if (trimmed.empty()) return std::nullopt;
  return std::string(FileNamePart(trimmed, services.path_style));
}

// Asks whether a bitmap header goes in front of the payload, when the note
// gives the picture's dimensions.
bool AskForBitmapHeader(const OutputHints& hints, const ConversionServices& services) {
  if (hints.width == 0 || hints.height == 0) return false;
  const messages::Texts& texts = services.messages.texts();
  services.bitmap_header.SetDimensions(hints.width, hints.height);
  return services.prompts.AskYesNo(Question::kAddBitmapHeader, texts.add_bitmap_header_question,
                                   texts.add_bitmap_header_caption);
}

// Why the entry at an output path must not be replaced; nullopt when it may.
std::optional<NameReason> ClashAt(const Entry& entry, const SourceNote& source,
                                  const ConversionServices& services) {
  if (entry.kind == Entry::Kind::kNone) return std::nullopt;
  if (source.id && entry.id == *source.id) return NameReason::kOutputIsSource;
  return services.protected_files ? services.protected_files->Why(entry.id) : std::nullopt;
}

// Starts the output named `name` in output_folder. A name too long for its
// folder asks for another.
StartAttempt StartAt(const std::string& output_folder, const std::string& name,
                     const std::string& output_path, const ConversionServices& services) {
  std::unique_ptr<OutputFile> output = services.files.CreateForWriting(output_folder, name);
  if (output) return {std::move(output), std::nullopt};
  const CreationFailure failure = services.files.LastCreationFailure();
  if (failure.name_too_long) {
    return {nullptr, NameRequest{NameReason::kNameTooLong, failure.reason}};
  }
  services.prompts.ShowOutputFailure(services.messages.texts().cannot_create_file, output_path,
                                     failure.reason);
  return {};
}

}  // namespace

std::optional<StartedOutput> StartOutput(const SourceNote& source, const std::string& output_folder,
                                         const OutputHints& hints,
                                         const ConversionServices& services) {
  const messages::Texts& texts = services.messages.texts();
  NameChoice choice = NameFromNote(hints, output_folder, services);
  bool write_bitmap_header = false;
  const bool look_as_started = services.files.OutputsLookAtTheirName();
  while (true) {
    if (choice.ask) {
      std::optional<std::string> chosen =
          AskForOutputName(*choice.ask, source, output_folder, hints, services);
      if (!chosen) return std::nullopt;
      write_bitmap_header = AskForBitmapHeader(hints, services);
      // A chosen path that names no file asks again, for the same reason.
      if (chosen->empty()) continue;
      choice = {std::move(*chosen), std::nullopt};
    }
    std::string output_path = output_folder + choice.name;
    // An earlier output that waits for this name takes it first, so that the
    // look below sees it.
    if (services.outputs) services.outputs->EndIfWaitingAt(output_path);
    StartAttempt started;
    if (look_as_started) {
      started = StartAt(output_folder, choice.name, output_path, services);
      if ((choice.ask = std::move(started.ask_again))) continue;
      if (!started.file) return std::nullopt;
    }
    const std::optional<Entry> looked = started.file ? started.file->EntryAtName() : std::nullopt;
    const Entry entry = looked ? *looked : services.files.EntryAt(output_path);
    if (const std::optional<NameReason> clash = ClashAt(entry, source, services)) {
      choice.ask = NameRequest{*clash, {}};
      continue;
    }
    // Anything but a folder counts as an existing output: a file, a link
    // (followed or not), a FIFO, a device. Replacing it replaces the entry.
    const bool exists = entry.kind != Entry::Kind::kNone && entry.kind != Entry::Kind::kFolder;
    if (exists && !services.prompts.AskOverwrite(texts.overwrite_question, texts.overwrite_caption,
                                                 output_path)) {
      choice.ask = NameRequest{NameReason::kOutputExists, {}};
      continue;
    }
    if (!started.file) {
      started = StartAt(output_folder, choice.name, output_path, services);
      if ((choice.ask = std::move(started.ask_again))) continue;
      if (!started.file) return std::nullopt;
    }
    return StartedOutput{std::move(output_path), std::move(started.file), write_bitmap_header};
  }
}

}  // namespace marrowpin
