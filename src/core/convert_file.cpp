#include "core/convert_file.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/header_fields.h"
#include "core/messages.h"
#include "core/sjis_text.h"
#include "decode/base64_decode.h"

namespace marrowpin {

namespace {

constexpr std::string_view kBmpTypeKey = "-BMPTYPE";
constexpr std::string_view kFileNameKey = "-FILENAME";
constexpr std::string_view kWidthKey = "-WIDTH";
constexpr std::string_view kHeightKey = "-HEIGHT";
constexpr std::string_view kPayloadKey = "BASE64:";
constexpr std::string_view kSkipKey = "#Content-";
constexpr std::string_view kEndKey = "END:VNOTE";

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

// Consumes the lines before the payload, gathering the header fields. Leaves
// the payload's first piece as line 0.
AttachmentFields ScanHeader(LineBuffer& lines) {
  AttachmentFields fields;
  while (lines.Count() > 0) {
    const std::string_view line = lines.Line(0);
    if (ContainsKey(line, kBmpTypeKey) && ReadInteger(HeaderValue(line)) == kHeaderlessBmpType) {
      fields.headerless_hint = true;
    }
    if (ContainsKey(line, kFileNameKey)) {
      fields.output_name = std::string(HeaderValue(line));
    }
    if (ContainsKey(line, kWidthKey)) {
      fields.width = ReadInteger(HeaderValue(line));
    }
    if (ContainsKey(line, kHeightKey)) {
      fields.height = ReadInteger(HeaderValue(line));
    }
    if (ContainsKey(line, kPayloadKey)) {
      const std::string first_piece(HeaderValue(line));
      if (first_piece.empty()) {
        lines.DeleteFirst();
      } else {
        lines.ReplaceFirst(first_piece);
      }
      fields.payload_found = true;
      return fields;
    }
    lines.DeleteFirst();
  }
  return fields;
}

// Asks the user for the output name, and for a bitmap header when the file
// gives dimensions. The output goes into the folder part of place. False when
// the user gives no name.
bool AskForOutputName(NameRequest why, const std::string& source_path, std::string_view place,
                      AttachmentFields& fields, const ConversionServices& services) {
  const messages::Texts& texts = messages::Current();
  UserPrompts& prompts = services.prompts;
  const std::optional<std::string> chosen =
      prompts.AskFileName(why, texts.no_file_name_key,
                          messages::NameDialogTitle(FileNamePart(source_path, services.path_style),
                                                    fields.headerless_hint),
                          std::string(FolderWithSeparator(place, services.path_style)));
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

// The output path, after asking for a name and before overwriting as needed;
// nullopt when the user gives up.
std::optional<std::string> SettleOutputPath(const std::string& source_path, std::string_view place,
                                            AttachmentFields& fields,
                                            const ConversionServices& services) {
  NameRequest why = NameRequest::kNoteNamesNone;
  // A name that could escape the source's folder counts as no name at all.
  // The guard judges the note's own bytes; the path takes the file system's spelling.
  if (IsUnsafeOutputName(fields.output_name, services.path_style)) {
    fields.output_name.clear();
    why = NameRequest::kNoteNameRefused;
  } else if (!fields.output_name.empty()) {
    fields.output_name = services.files.PathNameFromNote(fields.output_name);
  }
  while (true) {
    if (fields.output_name.empty() &&
        !AskForOutputName(why, source_path, place, fields, services)) {
      return std::nullopt;
    }
    std::string output_path = OutputPathFor(place, fields.output_name, services.path_style);
    const messages::Texts& texts = messages::Current();
    if (services.files.FileExists(output_path) &&
        !services.prompts.AskYesNo(Question::kOverwrite, texts.overwrite_question,
                                   texts.overwrite_caption)) {
      fields.output_name.clear();
      why = NameRequest::kOutputExists;
      continue;
    }
    return output_path;
  }
}

// Whether a payload piece, the carry-over followed by a line, holds the end
// mark. The mark holds ":", which base64 text never does, so most pieces are
// passed over by one quick byte search instead of a key search that stops at
// every "E" of the payload.
bool PieceContainsEndKey(std::string_view carry_over, std::string_view line) {
  const bool has_colon =
      carry_over.find(':') != std::string_view::npos || line.find(':') != std::string_view::npos;
  return has_colon && ContainsKeyJoined(carry_over, line, kEndKey);
}

// Decodes whole groups and writes them as one block. A line of many megabytes
// is written in slices instead, so that its decoded bytes do not add three
// quarters of its size to the memory the source already takes.
bool WriteDecoded(std::string_view groups, std::vector<unsigned char>& decoded,
                  OutputFile& output) {
  constexpr std::size_t kLargestBlockText = std::size_t{4} << 20;  // a multiple of 4
  while (!groups.empty()) {
    const std::string_view block = groups.substr(0, kLargestBlockText);
    decoded.resize(Base64DecodedSize(block.size()));
    const std::size_t count = Base64Decode(block, decoded.data());
    if (!output.Write(decoded.data(), count)) return false;
    groups.remove_prefix(block.size());
  }
  return true;
}

// Decodes the payload line by line into output. Each piece is the carry-over
// (the characters beyond the last whole group so far) followed by a line;
// the two are never joined whole, so a long line is not copied. False when a
// write failed.
bool WritePayload(LineBuffer& lines, OutputFile& output) {
  std::string carry_over;
  std::vector<unsigned char> decoded;
  for (std::size_t k = 0; k < lines.Count(); ++k) {
    std::string_view line = TrimBlanks(lines.Line(k));
    if (ContainsKeyJoined(carry_over, line, kSkipKey)) continue;
    if ((carry_over.empty() && line.empty()) || PieceContainsEndKey(carry_over, line)) break;

    // The carry-over takes the line's first characters to make a group.
    if (!carry_over.empty()) {
      const std::size_t taken = std::min(line.size(), 4 - carry_over.size());
      carry_over.append(line.substr(0, taken));
      line.remove_prefix(taken);
      if (carry_over.size() < 4) continue;
      if (!WriteDecoded(carry_over, decoded, output)) return false;
    }
    const std::size_t whole = line.size() / 4 * 4;
    if (!WriteDecoded(line.substr(0, whole), decoded, output)) return false;
    // Trimmed like a line: a blank inside a line can come first in it.
    carry_over.assign(TrimBlanks(line.substr(whole)));
  }
  return true;
}

}  // namespace

bool ConvertFile(const std::string& source_path, const ConversionServices& services) {
  std::string written_path;
  return ConvertFile(source_path, services, {}, written_path);
}

bool ConvertFile(const std::string& source_path, const ConversionServices& services,
                 std::string_view output_folder, std::string& written_path) {
  if (!services.files.FileExists(source_path)) return false;

  LineBuffer& lines = services.lines;
  lines.Clear();
  lines.Load(services.files.ReadWholeFile(source_path));

  const messages::Texts& texts = messages::Current();
  AttachmentFields fields = ScanHeader(lines);
  if (!fields.payload_found) {
    services.prompts.ShowMessage(std::string(FileNamePart(source_path, services.path_style)) +
                                 texts.not_convertible_suffix);
    return false;
  }

  // A path whose folder part is the output's folder.
  const std::string_view place = output_folder.empty() ? source_path : output_folder;
  const std::optional<std::string> output_path =
      SettleOutputPath(source_path, place, fields, services);
  if (!output_path) return false;

  std::unique_ptr<OutputFile> output = services.files.CreateForWriting(*output_path);
  if (!output) {
    services.prompts.ShowFailure(texts.cannot_create_file, services.files.CreationFailureReason());
    return false;
  }
  written_path = *output_path;
  const auto& header = services.bitmap_header.Bytes();
  // A short write means a full disk or a failing device: stop, say so, and
  // keep what was written.
  const bool written =
      (!fields.write_bitmap_header || output->Write(header.data(), header.size())) &&
      WritePayload(lines, *output);
  const bool closed = output->Close();
  if (!written || !closed) {
    services.prompts.ShowFailure(texts.cannot_write_file, output->FailureReason());
    return false;
  }
  return true;
}

}  // namespace marrowpin
