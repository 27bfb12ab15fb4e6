#include "win_text/extended_length_path.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "win_text/utf16.h"

namespace marrowpin::win_text {

namespace {

constexpr std::string_view kExtendedPrefix = "\\\\?\\";
constexpr std::string_view kExtendedSharePrefix = "\\\\?\\UNC\\";
constexpr std::string_view kDevicePrefix = "\\\\.\\";

// An absolute path cut at its root: "C:" or "\\server\share", then the rest,
// which starts with a separator unless it is empty. Separators are "\".
struct RootedPath {
  std::string root;
  std::string rest;
};

bool IsDriveLetter(char c) {
  const char lower = static_cast<char>(c | 0x20);
  return lower >= 'a' && lower <= 'z';
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

bool SameDrive(std::string_view a, std::string_view b) {
  return (a[0] | 0x20) == (b[0] | 0x20);
}

// A fully qualified path ("C:\x", "\\server\share\x") cut at its root;
// nullopt for any other.
std::optional<RootedPath> CutAtRoot(std::string_view path) {
  if (HasDrive(path) && path.size() > 2 && path[2] == '\\') {
    return RootedPath{std::string(path.substr(0, 2)), std::string(path.substr(2))};
  }
  if (path.starts_with("\\\\")) {
    const std::size_t server_end = path.find('\\', 2);
    if (server_end == std::string_view::npos || server_end == 2) return std::nullopt;
    const std::size_t share_end = std::min(path.find('\\', server_end + 1), path.size());
    if (share_end == server_end + 1) return std::nullopt;
    return RootedPath{std::string(path.substr(0, share_end)), std::string(path.substr(share_end))};
  }
  return std::nullopt;
}

// The current folder in its plain form, cut at its root.
std::optional<RootedPath> CurrentFolderRoot(std::string_view current_folder) {
  std::string plain(current_folder);
  if (plain.starts_with(kExtendedSharePrefix)) {
    plain = "\\\\" + plain.substr(kExtendedSharePrefix.size());
  } else if (plain.starts_with(kExtendedPrefix)) {
    plain = plain.substr(kExtendedPrefix.size());
  }
  return CutAtRoot(plain);
}

// path made fully qualified, with current_folder where it needs one.
std::optional<RootedPath> Qualified(std::string_view path, std::string_view current_folder) {
  if (std::optional<RootedPath> rooted = CutAtRoot(path)) return rooted;
  // A share path without its share.
  if (path.starts_with("\\\\")) return std::nullopt;
  std::optional<RootedPath> current = CurrentFolderRoot(current_folder);
  if (!current) return std::nullopt;
  if (HasDrive(path)) {
    // "D:x" is relative to D:'s own current folder, which only the current
    // drive's is known of.
    if (!HasDrive(current->root) || !SameDrive(path, current->root)) return std::nullopt;
    current->rest += "\\";
    current->rest += path.substr(2);
  } else if (path.starts_with("\\")) {
    current->rest = path;
  } else {
    current->rest += "\\";
    current->rest += path;
  }
  return current;
}

// The names of rest, with "." and ".." parts resolved and their ends trimmed
// as the system trims them.
std::vector<std::string> ResolvedNames(std::string_view rest) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find('\\', start), rest.size());
    const std::string_view name = rest.substr(start, end - start);
    start = end + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.emplace_back(name);
    // A folder's name loses a single "." at its end ("a." names "a").
    if (end < rest.size() && name.ends_with('.') && !name.ends_with("..")) {
      names.back().pop_back();
    }
  }
  // The last name loses every dot and blank at its end, unless a separator
  // follows it.
  if (!names.empty() && !rest.ends_with('\\')) {
    std::string& last = names.back();
    last.erase(last.find_last_not_of(". ") + 1);
    if (last.empty()) names.pop_back();
  }
  return names;
}

}  // namespace

std::string ExtendedLengthPath(std::string_view path, std::string_view current_folder) {
  std::string separated(path);
  std::replace(separated.begin(), separated.end(), '/', '\\');
  if (separated.starts_with(kExtendedPrefix) || separated.starts_with(kDevicePrefix)) {
    return std::string(path);
  }
  const std::optional<RootedPath> qualified = Qualified(separated, current_folder);
  if (!qualified) return std::string(path);

  std::string resolved = qualified->root;
  const std::vector<std::string> names = ResolvedNames(qualified->rest);
  for (const std::string& name : names) {
    resolved += "\\";
    resolved += name;
  }
  if (names.empty() || qualified->rest.ends_with('\\')) resolved += "\\";

  if (Utf16FromUtf8<char16_t>(resolved).size() <= kLongestPlainPath) return std::string(path);
  return HasDrive(resolved) ? std::string(kExtendedPrefix) + resolved
                            : std::string(kExtendedSharePrefix) + resolved.substr(2);
}

}  // namespace marrowpin::win_text
