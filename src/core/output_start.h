#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/conversion_services.h"
#include "core/file_system.h"

namespace marrowpin {

// The note an output is made for.
struct SourceNote {
  const std::string& path;
  // The part of path after its folder, as the user's messages name the note.
  std::string_view name;
  // Its identity where the file system tells one, so that no output replaces it.
  std::optional<FileId> id;
};

// What the note's header says of its output.
struct OutputHints {
  // The "-FILENAME" value, the note's own bytes; empty when it gives none.
  std::string name;
  // The picture kind whose raw pixels usually lack a header.
  bool headerless = false;
  // The picture's dimensions; a header is offered when both are given.
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// An output started at its settled path.
struct StartedOutput {
  std::string path;
  std::unique_ptr<OutputFile> file;
  // Whether the user asked for a bitmap header in front of the payload.
  bool write_bitmap_header = false;
};

// Settles the output's name in output_folder and starts the output there.
// The note's name is judged first; the user is asked for a name while none
// stands (why is told with the question), and before an existing output is
// replaced. Where the file system's outputs look at their name as they
// start, that one look decides whether to ask before overwriting and what
// the output may replace; elsewhere the output starts once the questions are
// answered, so that nothing of it waits on the user. A name too long for its
// folder is found as the output starts, before any byte is written, and asks
// for another. Nullopt when the user gives up or the output cannot be
// started (then said).
std::optional<StartedOutput> StartOutput(const SourceNote& source, const std::string& output_folder,
                                         const OutputHints& hints,
                                         const ConversionServices& services);

}  // namespace marrowpin
