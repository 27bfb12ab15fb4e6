#pragma once

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// Every text the conversion and the window show, in one table per language,
// in UTF-8. Adding a text means a member here and one entry in each table.
// The console program's own texts are beside it (cli/console_texts.h).
namespace marrowpin::messages {

struct Texts {
  const char* not_convertible_suffix;  // follows the source's file name
  const char* no_file_name_key;
  const char* add_bitmap_header_question;
  const char* add_bitmap_header_caption;
  const char* overwrite_question;
  const char* overwrite_caption;
  const char* cannot_create_file;
  const char* cannot_write_file;
  const char* all_converted;
  const char* some_failed;
  const char* cannot_open_file;   // %s: the path
  const char* cannot_read_file;   // %s: the path
  const char* file_too_large;     // %s: the path
  const char* name_dialog_title;  // %s: the source's file name
  const char* headerless_hint;    // follows the name dialog's title
  const char* name_too_long;      // before the name dialog; the system's word follows
  const char* out_of_memory;
  // Follow the system's reason for an output step that failed, where the
  // system can tell more (Windows):
  const char* held_by;                // %s: the programs that hold the file
  const char* held_by_separator;      // between those programs
  const char* kept_under;             // %s: where the new bytes were kept
  const char* protected_folder_hint;  // %s: the program's file name
};

extern const Texts kJapanese;
extern const Texts kEnglish;

// Every text of a table, so that a front end can recode them all.
inline constexpr const char* Texts::*kEveryText[] = {
    &Texts::not_convertible_suffix,
    &Texts::no_file_name_key,
    &Texts::add_bitmap_header_question,
    &Texts::add_bitmap_header_caption,
    &Texts::overwrite_question,
    &Texts::overwrite_caption,
    &Texts::cannot_create_file,
    &Texts::cannot_write_file,
    &Texts::all_converted,
    &Texts::some_failed,
    &Texts::cannot_open_file,
    &Texts::cannot_read_file,
    &Texts::file_too_large,
    &Texts::name_dialog_title,
    &Texts::headerless_hint,
    &Texts::name_too_long,
    &Texts::out_of_memory,
    &Texts::held_by,
    &Texts::held_by_separator,
    &Texts::kept_under,
    &Texts::protected_folder_hint,
};
static_assert(std::size(kEveryText) * sizeof(const char*) == sizeof(Texts),
              "every text is in kEveryText");

}  // namespace marrowpin::messages

namespace marrowpin {

// The text followed by the system's reason in parentheses, where it gave one.
std::string WithSystemReason(std::string_view text, std::string_view reason);

// What follows the system's reason for an output step that another
// program's handle made fail: the programs that hold the file, where the
// system can tell; nothing when it cannot.
std::string HeldBy(const messages::Texts& texts, const std::vector<std::string>& programs);
// What follows the reason of an output that could not take its name after
// the old output had left it: where the new bytes are.
std::string KeptUnder(const messages::Texts& texts, std::string_view temporary_path);
// What follows the reason a new output could not be created for, where the
// system refused it as it refuses programs in a folder it protects.
std::string ProtectedFolderHint(const messages::Texts& texts, std::string_view program_file_name);

// The messages a front end shows, worded from its texts; handed to whatever
// builds one. A message that concerns a file names it as it is; a front end
// whose lines name the file already words these its own way.
class Messages {
 public:
  explicit Messages(const messages::Texts& texts) : texts_(texts) {}
  virtual ~Messages() = default;

  const messages::Texts& texts() const { return texts_; }

  virtual std::string NotConvertible(std::string_view source_file_name) const;
  virtual std::string CannotOpenFile(std::string_view path) const;
  virtual std::string CannotReadFile(std::string_view path) const;
  virtual std::string FileTooLarge(std::string_view path) const;
  // The title of the window that asks for an output name.
  std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint) const;

 private:
  const messages::Texts& texts_;
};

}  // namespace marrowpin
