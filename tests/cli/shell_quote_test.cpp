#include "cli/shell_quote.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace marrowpin::cli {
namespace {

using namespace std::string_literals;

// Sets the C library's LC_CTYPE for one test and puts the old one back.
class CharacterLocale {
 public:
  explicit CharacterLocale(const char* name) : old_(std::setlocale(LC_CTYPE, nullptr)) {
    ok_ = std::setlocale(LC_CTYPE, name) != nullptr;
  }
  ~CharacterLocale() { std::setlocale(LC_CTYPE, old_.c_str()); }
  bool ok() const { return ok_; }

 private:
  std::string old_;
  bool ok_;
};

TEST(ShellQuoted, QuotesWhatAShellOrATerminalWouldTakeForSomethingElse) {
  const struct {
    std::string name;
    std::string quoted;
  } cases[] = {
      {"picture.vnt", "picture.vnt"},
      {"out/写真.jpg", "out/写真.jpg"},
      {"-a,b+c@d%e:f_g.h", "-a,b+c@d%e:f_g.h"},
      {"a#b~", "a#b~"},
      {"", "''"},
      {"a b", "'a b'"},
      {"a -> b", "'a'$'\\040''-> b'"},
      {"a -> b -> ", "'a'$'\\040''-> b'$'\\040''-> '"},
      {"a ->b", "'a ->b'"},
      {"#x", "'#x'"},
      {"~x", "'~x'"},
      {"$HOME*;|&", "'$HOME*;|&'"},
      {"a\\b", "'a\\b'"},
      {"it's", "'it'\\''s'"},
      {"'", "\\'"},
      {"say \"hi\"", "'say \"hi\"'"},
      {"c\x1bx", "'c'$'\\033''x'"},
      {"x\x1b]0;PWNED\a", "'x'$'\\033'']0;PWNED'$'\\a'"},
      {"\n", "$'\\n'"},
      {"a\nfake.vnt -> forged.bin\nb.vnt",
       "'a'$'\\n''fake.vnt'$'\\040''-> forged.bin'$'\\n''b.vnt'"},
      {"tab\there\r", "'tab'$'\\t''here'$'\\r'"},
      {"del\x7f", "'del'$'\\177'"},
      {"nul\0"s, "'nul'$'\\000'"},
      // U+009B, the C1 control sequence introducer, in UTF-8; then raw 9B.
      {"c\xc2\x9b"
       "2J",
       "'c'$'\\302\\233''2J'"},
      {"c\x9b"
       "2J",
       "'c'$'\\233''2J'"},
      // Bytes that are no UTF-8: a stray continuation, a cut sequence, an
      // overlong slash, a surrogate.
      {"\x80", "$'\\200'"},
      {"a\xe5\x86", "'a'$'\\345\\206'"},
      {"\xc0\xaf", "$'\\300\\257'"},
      {"\xed\xa0\x80", "$'\\355\\240\\200'"},
      // Shift-JIS 写真.jpg, which is no UTF-8: its CA 90 happens to be ʐ.
      {"\x8e\xca\x90\x5e.jpg", "$'\\216''\xca\x90^.jpg'"},
      {"\x83\x65\x83\x58.vnt", "$'\\203''e'$'\\203''X.vnt'"},
      {"\xff\xfe.bin", "$'\\377\\376''.bin'"},
      // U+2028 and U+2029 end a line in some terminals and editors.
      {"a\u2028b\u2029", "'a'$'\\342\\200\\250''b'$'\\342\\200\\251'"},
  };
  CharacterLocale utf8("C.UTF-8");
  ASSERT_TRUE(utf8.ok());
  for (const auto& c : cases) {
    EXPECT_EQ(ShellQuoted(c.name, NameCharacters::kLocale), c.quoted) << c.name;
    EXPECT_EQ(ShellQuoted(c.name, NameCharacters::kUtf8), c.quoted) << c.name;
  }
}

TEST(ShellQuoted, FollowsTheLocaleCharacterSet) {
  CharacterLocale plain("C");
  ASSERT_TRUE(plain.ok());
  // Outside a UTF-8 locale its bytes are no characters; UTF-8 reading keeps them.
  EXPECT_EQ(ShellQuoted("写.jpg", NameCharacters::kLocale), "$'\\345\\206\\231''.jpg'");
  EXPECT_EQ(ShellQuoted("写.jpg", NameCharacters::kUtf8), "写.jpg");
  EXPECT_EQ(ShellQuoted("a.jpg", NameCharacters::kLocale), "a.jpg");
}

}  // namespace
}  // namespace marrowpin::cli
