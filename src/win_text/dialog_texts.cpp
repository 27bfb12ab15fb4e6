#include "win_text/dialog_texts.h"

#include <algorithm>

namespace marrowpin::win_text {

std::string DialogFilter(std::string_view filter) {
  std::string pieces(filter);
  std::replace(pieces.begin(), pieces.end(), '|', '\0');
  pieces.push_back('\0');
  return pieces;
}

std::vector<std::string> SelectedPaths(std::string_view buffer) {
  std::vector<std::string> pieces;
  std::size_t at = 0;
  while (at < buffer.size() && buffer[at] != '\0') {
    const std::size_t end = std::min(buffer.find('\0', at), buffer.size());
    pieces.emplace_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  if (pieces.size() <= 1) {
    return pieces;
  }
  // A drive root comes back with its separator, any other folder without.
  std::string folder = std::move(pieces.front());
  if (!folder.ends_with('\\')) {
    folder.push_back('\\');
  }
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    paths.push_back(folder + pieces[i]);
  }
  return paths;
}

}  // namespace marrowpin::win_text
