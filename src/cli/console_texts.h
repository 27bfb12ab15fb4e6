#pragma once

#include <iterator>
#include <string>

#include "core/messages.h"
#include "core/user_prompts.h"

// The console program's own texts beside the conversion's (core/messages.h),
// one table per language, in UTF-8: why a name request goes unanswered, which
// names the options that answer it, and the conversion's failures worded for
// a line that starts with the FILE already.
namespace marrowpin::cli {

struct ConsoleTexts {
  const char* output_exists;
  const char* note_name_refused;
  const char* output_is_source;
  const char* output_is_run_file;
  const char* output_written_this_run;
  const char* output_is_standard_stream;
  const char* not_convertible;
  const char* cannot_open_file;
  const char* cannot_read_file;
  const char* file_too_large;
};

extern const ConsoleTexts kJapaneseConsoleTexts;
extern const ConsoleTexts kEnglishConsoleTexts;

// Every text of a table, so that the program can recode them all.
inline constexpr const char* ConsoleTexts::*kEveryConsoleText[] = {
    &ConsoleTexts::output_exists,           &ConsoleTexts::note_name_refused,
    &ConsoleTexts::output_is_source,        &ConsoleTexts::output_is_run_file,
    &ConsoleTexts::output_written_this_run, &ConsoleTexts::output_is_standard_stream,
    &ConsoleTexts::not_convertible,         &ConsoleTexts::cannot_open_file,
    &ConsoleTexts::cannot_read_file,        &ConsoleTexts::file_too_large,
};
static_assert(std::size(kEveryConsoleText) * sizeof(const char*) == sizeof(ConsoleTexts),
              "every text is in kEveryConsoleText");

// Why a name was asked for, as the line says it where the request goes
// unanswered: the conversion's own words where they name no option, with the
// system's reason where it gave one.
std::string UnansweredNameText(const NameRequest& request, const messages::Texts& conversion,
                               const ConsoleTexts& console);

}  // namespace marrowpin::cli
