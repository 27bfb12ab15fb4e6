#include "win_text/extended_length_path.h"

#include <gtest/gtest.h>

#include <string>

namespace marrowpin::win_text {
namespace {

// A folder name of 100 letters: three of them make a path past the limit.
const std::string kLong(100, 'f');
const std::string kDeep = kLong + "\\" + kLong + "\\" + kLong;

TEST(ExtendedLengthPath, GivesLongPathsResolvedBehindThePrefix) {
  const struct {
    std::string path;
    std::string current_folder;
    std::string expected;
  } cases[] = {
      {"C:\\" + kDeep + "\\n.vnt", "D:\\", "\\\\?\\C:\\" + kDeep + "\\n.vnt"},
      {"c:/" + kLong + "//" + kLong + "/./x/../" + kLong + "/n.vnt", "D:\\",
       "\\\\?\\c:\\" + kDeep + "\\n.vnt"},
      {"\\\\server\\share\\" + kDeep + "\\n.vnt", "C:\\",
       "\\\\?\\UNC\\server\\share\\" + kDeep + "\\n.vnt"},
      {"//server/share/" + kDeep + "/n.vnt", "C:\\",
       "\\\\?\\UNC\\server\\share\\" + kDeep + "\\n.vnt"},
      // ".." stops at the drive and at the share.
      {"C:\\..\\..\\" + kDeep, "D:\\", "\\\\?\\C:\\" + kDeep},
      {"\\\\server\\share\\..\\" + kDeep, "C:\\", "\\\\?\\UNC\\server\\share\\" + kDeep},
      // Relative, rooted and drive-relative paths from the current folder.
      {kLong + "\\n.vnt", "C:\\" + kLong + "\\" + kLong, "\\\\?\\C:\\" + kDeep + "\\n.vnt"},
      {"..\\" + kLong + "\\n.vnt", "C:\\" + kLong + "\\" + kLong + "\\x",
       "\\\\?\\C:\\" + kDeep + "\\n.vnt"},
      {"\\" + kDeep, "C:\\x", "\\\\?\\C:\\" + kDeep},
      {"\\" + kDeep, "\\\\server\\share\\x", "\\\\?\\UNC\\server\\share\\" + kDeep},
      {"c:" + kLong, "C:\\" + kLong + "\\" + kLong, "\\\\?\\C:\\" + kDeep},
      {kLong, "\\\\?\\C:\\" + kLong + "\\" + kLong, "\\\\?\\C:\\" + kDeep},
      {kLong, "\\\\?\\UNC\\s\\h\\" + kLong + "\\" + kLong, "\\\\?\\UNC\\s\\h\\" + kDeep},
      // Ends of names trimmed as the plain form trims them; a separator at
      // the end stays.
      {"C:\\" + kLong + ".\\" + kLong + "\\" + kLong + "\\n.vnt. . ", "D:\\",
       "\\\\?\\C:\\" + kDeep + "\\n.vnt"},
      {"C:\\" + kLong + "..\\" + kDeep + "\\", "D:\\",
       "\\\\?\\C:\\" + kLong + "..\\" + kDeep + "\\"},
      // Left to the system as they are.
      {"C:\\" + kDeep + "\\..\\..\\n.vnt", "D:\\", "C:\\" + kDeep + "\\..\\..\\n.vnt"},
      {"n.vnt", "C:\\" + kLong, "n.vnt"},
      {"\\\\?\\C:\\" + kDeep + "\\..", "D:\\", "\\\\?\\C:\\" + kDeep + "\\.."},
      {"\\\\.\\C:\\" + kDeep, "D:\\", "\\\\.\\C:\\" + kDeep},
      // A share path without its share or its server.
      {"\\\\" + kLong + kLong + kLong, "C:\\", "\\\\" + kLong + kLong + kLong},
      {"\\\\\\" + kDeep, "C:\\", "\\\\\\" + kDeep},
      {"d:" + kDeep, "C:\\", "d:" + kDeep},
      {kDeep, "", kDeep},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtendedLengthPath(c.path, c.current_folder), c.expected)
        << c.path << " in " << c.current_folder;
  }
}

TEST(ExtendedLengthPath, CountsTheLimitInUtf16Units) {
  // "C:\" and 244 more units: 247 stay plain, 248 do not.
  const auto path_of = [](const std::string& name, int repeat, const std::string& tail) {
    std::string path = "C:\\";
    for (int i = 0; i < repeat; ++i)
      path += name;
    return path + tail;
  };
  const std::string longest = path_of("a", 244, "");
  EXPECT_EQ(ExtendedLengthPath(longest, "D:\\"), longest);
  EXPECT_EQ(ExtendedLengthPath(longest + "b", "D:\\"), "\\\\?\\" + longest + "b");
  // "写" is three bytes and one unit; "📷" four bytes and two units.
  const std::string japanese = path_of("写", 244, "");
  EXPECT_EQ(ExtendedLengthPath(japanese, "D:\\"), japanese);
  const std::string emoji = path_of("📷", 122, "a");
  EXPECT_EQ(ExtendedLengthPath(emoji, "D:\\"), "\\\\?\\" + emoji);
}

}  // namespace
}  // namespace marrowpin::win_text
