#include "core/output_group.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace marrowpin {

namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameNameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

OutputGroup::OutputGroup(FileSystem& files, PathStyle style, Told told)
    : files_(files),
      style_(style),
      told_(std::move(told)),
      max_outputs_(std::max<std::size_t>(1, files.OutputsPlacedTogether())) {}

OutputGroup::~OutputGroup() = default;

void OutputGroup::Add(std::string source_path, std::string output_path,
                      std::unique_ptr<OutputFile> output, std::uint64_t size) {
  const std::optional<FileId> folder = output->FolderId();
  Outcome outcome;
  outcome.source_path = std::move(source_path);
  outcome.output_path = std::move(output_path);
  waiting_.push_back(Waiting{std::move(outcome), folder, std::move(output)});
  waiting_bytes_ += size;
  if (waiting_.size() >= max_outputs_ || waiting_bytes_ >= kMaxBytes) End();
}

void OutputGroup::EndIfWaitingAt(const std::string& path) {
  if (waiting_.empty()) return;
  const std::string_view name = FileNamePart(path, style_);
  const std::string folder(FolderWithSeparator(path, style_));
  const std::optional<FileId> folder_id = files_.FileIdAt(folder.empty() ? "." : folder);
  // A folder that tells no identity may be any of them.
  const bool waiting = std::any_of(waiting_.begin(), waiting_.end(), [&](const Waiting& output) {
    return SameNameIgnoringAsciiCase(FileNamePart(output.outcome.output_path, style_), name) &&
           (!folder_id || !output.folder || *folder_id == *output.folder);
  });
  if (waiting) End();
}

void OutputGroup::End() {
  std::vector<Waiting> ending;
  ending.swap(waiting_);
  waiting_bytes_ = 0;
  // Each step is taken by every output before the next starts: the bytes
  // of all are handed to the disk before one flush makes them durable, and
  // all take their names before one more flush makes the names durable.
  // An output whose step fails takes no further step.
  for (Waiting& output : ending) {
    output.outcome.placed = true;
  }
  for (const auto step : {&OutputFile::FinishWriting, &OutputFile::MakeDurable, &OutputFile::Commit,
                          &OutputFile::MakeNameDurable}) {
    for (Waiting& output : ending) {
      output.outcome.placed = output.outcome.placed && ((*output.output).*step)();
    }
  }
  // Every file is closed and every folder let go before anyone is told.
  for (Waiting& output : ending) {
    if (!output.outcome.placed) output.outcome.reason = output.output->FailureReason();
    output.output.reset();
  }
  for (const Waiting& output : ending) {
    told_(output.outcome);
  }
}

}  // namespace marrowpin
