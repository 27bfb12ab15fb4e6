#include "core/convert_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/error.h"
#include "core/header_fields.h"
#include "core/messages.h"
#include "core/payload_writer.h"
#include "core/sjis_text.h"

namespace marrowpin {

namespace {

constexpr std::string_view kBmpTypeKey = "-BMPTYPE";
constexpr std::string_view kFileNameKey = "-FILENAME";
constexpr std::string_view kWidthKey = "-WIDTH";
constexpr std::string_view kHeightKey = "-HEIGHT";
constexpr std::string_view kPayloadKey = "BASE64:";

// The picture kind whose raw pixels usually lack a header.
constexpr std::int32_t kHeaderlessBmpType = 4;

struct AttachmentFields {
  bool headerless_hint = false;
  std::string output_name;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool payload_found = false;
  bool write_bitmap_header = false;
};

// One header line as its slices come: the keys it holds and its value.
class HeaderLine {
 public:
  void Feed(std::string_view slice) {
    for (KeySearch& key : keys_)
      key.Feed(slice);
    value_.Feed(slice);
  }
  bool Holds(std::string_view key) const {
    for (const KeySearch& search : keys_) {
      if (search.key() == key) return search.found();
    }
    return false;
  }
  std::string_view Value() const { return value_.Value(); }
  void Reset() {
    for (KeySearch& key : keys_)
      key.Reset();
    value_.Reset();
  }

 private:
  std::array<KeySearch, 5> keys_ = {KeySearch(kBmpTypeKey), KeySearch(kFileNameKey),
                                    KeySearch(kWidthKey), KeySearch(kHeightKey),
                                    KeySearch(kPayloadKey)};
  HeaderValueReader value_;
};

// Reads the lines before the payload, gathering the header fields, up to the
// line that opens the payload; its value is the payload's first piece.
AttachmentFields ScanHeader(LineSource& lines, std::string& first_piece) {
  AttachmentFields fields;
  HeaderLine line;
  for (LineSlice slice; lines.Next(slice);) {
    line.Feed(slice.text);
    if (!slice.ends_line) continue;
    if (line.Holds(kBmpTypeKey) && ReadInteger(line.Value()) == kHeaderlessBmpType) {
      fields.headerless_hint = true;
    }
    if (line.Holds(kFileNameKey)) {
      fields.output_name = std::string(line.Value());
    }
    if (line.Holds(kWidthKey)) {
      fields.width = ReadInteger(line.Value());
    }
    if (line.Holds(kHeightKey)) {
      fields.height = ReadInteger(line.Value());
    }
    if (line.Holds(kPayloadKey)) {
      first_piece = std::string(line.Value());
      fields.payload_found = true;
      lines.HeaderScanned(first_piece);
      return fields;
    }
    line.Reset();
  }
  lines.HeaderScanned(std::nullopt);
  return fields;
}

// Asks the user for the output name, and for a bitmap header when the file
// gives dimensions. The output goes into output_folder. False when the user
// gives no name.
bool AskForOutputName(const NameRequest& request, const std::string& source_path,
                      std::string_view output_folder, AttachmentFields& fields,
                      const ConversionServices& services) {
  const messages::Texts& texts = services.messages.texts();
  UserPrompts& prompts = services.prompts;
  const std::optional<std::string> chosen = prompts.AskFileName(
      request,
      services.messages.NameDialogTitle(FileNamePart(source_path, services.path_style),
                                        fields.headerless_hint),
      std::string(output_folder));
  if (!chosen) return false;
  const std::string_view trimmed = TrimBlanks(*chosen);
  if (trimmed.empty()) return false;
  // Only the name counts: the output always goes into the one folder.
  fields.output_name = std::string(FileNamePart(trimmed, services.path_style));
  if (fields.width != 0 && fields.height != 0) {
    services.bitmap_header.SetDimensions(fields.width, fields.height);
    fields.write_bitmap_header =
        prompts.AskYesNo(Question::kAddBitmapHeader, texts.add_bitmap_header_question,
                         texts.add_bitmap_header_caption);
  }
  return true;
}

// Why the entry at an output path must not be replaced; nullopt when it may.
std::optional<NameReason> ClashAt(const Entry& entry, const std::optional<FileId>& source_id,
                                  const ConversionServices& services) {
  if (entry.kind == Entry::Kind::kNone) return std::nullopt;
  if (source_id && entry.id == *source_id) return NameReason::kOutputIsSource;
  return services.protected_files ? services.protected_files->Why(entry.id) : std::nullopt;
}

// An output started at its path.
struct StartedOutput {
  std::string path;
  std::unique_ptr<OutputFile> file;
};

// What an attempt to start an output came to: the output, or why another
// name is needed; neither when the output cannot be started (then said).
struct StartAttempt {
  std::unique_ptr<OutputFile> file;
  std::optional<NameRequest> ask_again;
};

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

// Settles the output's path, asking for a name and before overwriting as
// needed, and starts the output there; nullopt when the user gives up or the
// output cannot be started (then said). The note's name is judged first.
// Where the file system's outputs look at their name as they start, that one
// look decides whether to ask before overwriting and what the output may
// replace; elsewhere the output starts once the questions are answered, so
// that nothing of it waits on the user. A name too long for its folder is
// found as the output starts, before any byte is written: the user is asked
// for another.
std::optional<StartedOutput> StartOutput(const std::string& source_path,
                                         const std::optional<FileId>& source_id,
                                         const std::string& output_folder, AttachmentFields& fields,
                                         const ConversionServices& services) {
  const messages::Texts& texts = services.messages.texts();
  const NoteOutputPath from_note =
      OutputPathFromNote(fields.output_name, output_folder, services.path_style, services.files);
  fields.output_name = from_note.name;
  // Why a name is asked for before the next try; none while the name stands.
  std::optional<NameRequest> ask;
  if (from_note.fault == NoteOutputPath::Fault::kRefused) {
    ask = NameRequest{NameReason::kNoteNameRefused, {}};
  } else if (from_note.fault == NoteOutputPath::Fault::kNoName) {
    ask = NameRequest{NameReason::kNoteNamesNone, {}};
  }
  const bool look_as_started = services.files.OutputsLookAtTheirName();
  while (true) {
    if (ask) {
      if (!AskForOutputName(*ask, source_path, output_folder, fields, services)) {
        return std::nullopt;
      }
      // A chosen path that names no file asks again.
      if (fields.output_name.empty()) continue;
      ask.reset();
    }
    std::string output_path = output_folder + fields.output_name;
    // An earlier output that waits for this name takes it first, so that the
    // look below sees it.
    if (services.outputs) services.outputs->EndIfWaitingAt(output_path);
    StartAttempt started;
    if (look_as_started) {
      started = StartAt(output_folder, fields.output_name, output_path, services);
      if ((ask = std::move(started.ask_again))) continue;
      if (!started.file) return std::nullopt;
    }
    const std::optional<Entry> looked = started.file ? started.file->EntryAtName() : std::nullopt;
    const Entry entry = looked ? *looked : services.files.EntryAt(output_path);
    if (const std::optional<NameReason> clash = ClashAt(entry, source_id, services)) {
      ask = NameRequest{*clash, {}};
      continue;
    }
    // Anything but a folder counts as an existing output: a file, a link
    // (followed or not), a FIFO, a device. Replacing it replaces the entry.
    const bool exists = entry.kind != Entry::Kind::kNone && entry.kind != Entry::Kind::kFolder;
    if (exists && !services.prompts.AskOverwrite(texts.overwrite_question, texts.overwrite_caption,
                                                 output_path)) {
      ask = NameRequest{NameReason::kOutputExists, {}};
      continue;
    }
    if (!started.file) {
      started = StartAt(output_folder, fields.output_name, output_path, services);
      if ((ask = std::move(started.ask_again))) continue;
      if (!started.file) return std::nullopt;
    }
    return StartedOutput{std::move(output_path), std::move(started.file)};
  }
}

// Everything after opening the source.
bool ConvertOpenedFile(const std::string& source_path, const std::optional<FileId>& source_id,
                       const ConversionServices& services,
                       std::optional<std::string_view> output_folder, std::string& written_path) {
  const messages::Texts& texts = services.messages.texts();
  std::string first_piece;
  AttachmentFields fields = ScanHeader(services.lines, first_piece);
  if (!fields.payload_found) {
    services.prompts.ShowMessage(
        services.messages.NotConvertible(FileNamePart(source_path, services.path_style)));
    return false;
  }

  const std::string folder(
      output_folder.value_or(FolderWithSeparator(source_path, services.path_style)));
  std::optional<StartedOutput> started =
      StartOutput(source_path, source_id, folder, fields, services);
  if (!started) return false;
  OutputFile& output = *started->file;
  const auto& header = services.bitmap_header.Bytes();
  const std::uint64_t header_size = fields.write_bitmap_header ? header.size() : 0;
  // A short write means a full disk or a failing device: stop and say so.
  // Dropped without its commit, the output leaves nothing behind.
  const std::optional<std::uint64_t> size =
      header_size == 0 || output.Write(header.data(), header.size())
          ? WritePayload(first_piece, services.lines, output, header_size)
          : std::nullopt;
  if (size && services.outputs) {
    written_path = started->path;
    services.outputs->Add(source_path, started->path, std::move(started->file), *size);
    return true;
  }
  if (!size || !output.Commit() || !output.MakeNameDurable()) {
    // The output's temporary file goes, and its folders are let go, before
    // the box waits for the user: a session that ends at the box leaves
    // nothing behind.
    const std::string reason = output.FailureReason();
    started->file.reset();
    services.prompts.ShowOutputFailure(texts.cannot_write_file, started->path, reason);
    return false;
  }
  written_path = started->path;
  return true;
}

}  // namespace

bool ConvertFile(const std::string& source_path, const ConversionServices& services) {
  std::string written_path;
  return ConvertFile(source_path, services, std::nullopt, written_path);
}

bool ConvertFile(const std::string& source_path, const ConversionServices& services,
                 std::optional<std::string_view> output_folder, std::string& written_path) {
  // The note may be an earlier output that waits for its name.
  if (services.outputs) services.outputs->EndIfWaitingAt(source_path);
  if (!services.files.FileExists(source_path)) return false;

  // The note's identity, so that no output replaces it.
  const std::optional<FileId> source_id = services.files.FileIdAt(source_path);
  try {
    services.lines.Open(source_path, services.files, services.progress);
  } catch (const FileError& e) {
    throw Error(e.step() == FileError::Step::kHold ? services.messages.FileTooLarge(source_path)
                                                   : services.messages.CannotOpenFile(source_path),
                e.reason());
  }
  try {
    return ConvertOpenedFile(source_path, source_id, services, output_folder, written_path);
  } catch (const FileError& e) {
    services.prompts.ShowFailure(services.messages.CannotReadFile(source_path), e.reason());
    return false;
  }
}

}  // namespace marrowpin
