#include "cli/locale_texts.h"

#include "platform/locale_charset.h"

namespace marrowpin::cli {

LocaleTexts::LocaleTexts(bool japanese, const std::string& charset)
    : conversion_(messages::kEnglish), console_(kEnglishConsoleTexts) {
  if (japanese && Recode(messages::kJapanese, kJapaneseConsoleTexts, charset)) return;
  // English is ASCII, which every locale's character set spells as it is.
  if (!Recode(messages::kEnglish, kEnglishConsoleTexts, charset)) {
    conversion_ = messages::kEnglish;
    console_ = kEnglishConsoleTexts;
  }
}

bool LocaleTexts::Recode(const messages::Texts& conversion, const ConsoleTexts& console,
                         const std::string& charset) {
  recoded_.clear();
  // Each text points into a string of its own, which the deque never moves.
  const auto recode = [&](const char* text, const char*& into) {
    std::optional<std::string> bytes = FromUtf8(text, charset);
    if (!bytes) return false;
    into = recoded_.emplace_back(std::move(*bytes)).c_str();
    return true;
  };
  conversion_ = conversion;
  console_ = console;
  for (const char* messages::Texts::*text : messages::kEveryText) {
    if (!recode(conversion.*text, conversion_.*text)) return false;
  }
  for (const char* ConsoleTexts::*text : kEveryConsoleText) {
    if (!recode(console.*text, console_.*text)) return false;
  }
  return true;
}

}  // namespace marrowpin::cli
