#pragma once

#include <deque>
#include <string>

#include "cli/console_texts.h"
#include "core/messages.h"

namespace marrowpin::cli {

// The program's texts in one language, recoded into the character set the
// user's locale writes text in, so that a terminal shows them whatever that
// set is. Names are not recoded: they are printed as the file system holds
// them.
class LocaleTexts {
 public:
  // The Japanese texts when japanese and charset can spell them all; the
  // English ones otherwise.
  LocaleTexts(bool japanese, const std::string& charset);
  LocaleTexts(const LocaleTexts&) = delete;
  LocaleTexts& operator=(const LocaleTexts&) = delete;

  const messages::Texts& conversion() const { return conversion_; }
  const ConsoleTexts& console() const { return console_; }

 private:
  bool Recode(const messages::Texts& conversion, const ConsoleTexts& console,
              const std::string& charset);

  std::deque<std::string> recoded_;
  messages::Texts conversion_;
  ConsoleTexts console_;
};

}  // namespace marrowpin::cli
