#pragma once

#include <string>
#include <string_view>

// Every text the conversion and its front ends show, in one table per
// language, in UTF-8. Adding a text means a member here and one entry in
// each table.
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
  // The console program's own, where a window would ask.
  const char* output_exists;
  const char* note_name_refused;
  const char* output_is_source;
  const char* output_is_run_file;
  const char* output_written_this_run;
  const char* output_is_standard_stream;
  const char* out_of_memory;
};

extern const Texts kJapanese;
extern const Texts kEnglish;

// The texts shown: the Japanese ones unless a front end chooses others.
const Texts& Current();
void Choose(const Texts& texts);

// How a path stands inside the messages below: as it is, unless a front end
// chooses a form of its own (the console program quotes it for the shell).
using PathQuoting = std::string (*)(std::string_view path);
void QuotePathsWith(PathQuoting quoting);

std::string NotConvertible(std::string_view source_file_name);
std::string CannotOpenFile(std::string_view path);
std::string CannotReadFile(std::string_view path);
std::string FileTooLarge(std::string_view path);
std::string NameDialogTitle(std::string_view source_file_name, bool headerless_hint);

}  // namespace marrowpin::messages
