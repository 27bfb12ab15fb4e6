#include "core/convert_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/error.h"
#include "core/header_fields.h"
#include "core/messages.h"
#include "core/output_start.h"
#include "core/payload_writer.h"

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
  OutputHints output;
  bool payload_found = false;
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
      fields.output.headerless = true;
    }
    if (line.Holds(kFileNameKey)) {
      fields.output.name = std::string(line.Value());
    }
    if (line.Holds(kWidthKey)) {
      fields.output.width = ReadInteger(line.Value());
    }
    if (line.Holds(kHeightKey)) {
      fields.output.height = ReadInteger(line.Value());
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

// Everything after opening the source.
bool ConvertOpenedFile(const SourceNote& source, const ConversionServices& services,
                       const std::string& output_folder, std::string& written_path) {
  const messages::Texts& texts = services.messages.texts();
  std::string first_piece;
  const AttachmentFields fields = ScanHeader(services.lines, first_piece);
  if (!fields.payload_found) {
    services.prompts.ShowMessage(services.messages.NotConvertible(source.name));
    return false;
  }

  std::optional<StartedOutput> started =
      StartOutput(source, output_folder, fields.output, services);
  if (!started) return false;
  OutputFile& output = *started->file;
  const auto& header = services.bitmap_header.Bytes();
  const std::uint64_t header_size = started->write_bitmap_header ? header.size() : 0;
  // A short write means a full disk or a failing device: stop and say so.
  // Dropped without its commit, the output leaves nothing behind.
  const std::optional<std::uint64_t> size =
      header_size == 0 || output.Write(header.data(), header.size())
          ? WritePayload(first_piece, services.lines, output, header_size)
          : std::nullopt;
  if (size && services.outputs) {
    written_path = started->path;
    services.outputs->Add(source.path, started->path, std::move(started->file), *size);
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
  const SourceNote source{source_path, FileNamePart(source_path, services.path_style),
                          services.files.FileIdAt(source_path)};
  const std::string folder(
      output_folder.value_or(FolderWithSeparator(source_path, services.path_style)));
  try {
    services.lines.Open(source_path, services.files, services.progress);
  } catch (const FileError& e) {
    throw Error(e.step() == FileError::Step::kHold ? services.messages.FileTooLarge(source_path)
                                                   : services.messages.CannotOpenFile(source_path),
                e.reason());
  }
  try {
    return ConvertOpenedFile(source, services, folder, written_path);
  } catch (const FileError& e) {
    services.prompts.ShowFailure(services.messages.CannotReadFile(source_path), e.reason());
    return false;
  }
}

}  // namespace marrowpin
