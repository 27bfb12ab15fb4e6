#pragma once

#include <optional>
#include <string>

namespace marrowpin {

// What a yes/no question asks, so that an answering front end need not read
// its texts.
enum class Question { kOverwrite, kAddBitmapHeader };

// The reason the conversion asks for an output name.
enum class NameReason {
  kNoteNamesNone,    // the note has no "-FILENAME" line
  kOutputExists,     // the output exists and is not to be overwritten
  kNoteNameRefused,  // the note's name could write outside the folder, or holds
                     // characters no name may hold
  kNameTooLong,      // the name is longer than its folder can hold
  // The output would replace a file that must stay:
  kOutputIsSource,          // the note being converted
  kOutputIsRunFile,         // a note this run converts
  kOutputWrittenThisRun,    // an output this run has written
  kOutputIsStandardStream,  // the file standard output or error goes to
};

// Why the conversion asks for an output name: the reason, and the system's
// own words where it gave some (a name too long for its folder).
struct NameRequest {
  NameReason why;
  std::string system_reason;
};

// The modal questions and messages a conversion puts to the user.
// Texts are in the program's own character set.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  virtual void ShowMessage(const std::string& text) = 0;
  // A failure's message, with the system's own words on its cause (empty when
  // it gave none). A window shows the message alone.
  virtual void ShowFailure(const std::string& text, const std::string& /*reason*/) {
    ShowMessage(text);
  }
  // A failure of the output file at output_path. A front end that does not
  // name the output shows it as any other failure.
  virtual void ShowOutputFailure(const std::string& text, const std::string& /*output_path*/,
                                 const std::string& reason) {
    ShowFailure(text, reason);
  }
  virtual bool AskYesNo(Question question, const std::string& text, const std::string& caption) = 0;
  // Whether to replace the existing output at output_path. A front end that
  // does not name the output asks it as any other question.
  virtual bool AskOverwrite(const std::string& text, const std::string& caption,
                            const std::string& /*output_path*/) {
    return AskYesNo(Question::kOverwrite, text, caption);
  }
  // Says why a name is needed, in the front end's own words, then asks for
  // one file name, which need not exist; nullopt when cancelled.
  virtual std::optional<std::string> AskFileName(const NameRequest& request,
                                                 const std::string& title,
                                                 const std::string& initial_folder) = 0;
};

}  // namespace marrowpin
