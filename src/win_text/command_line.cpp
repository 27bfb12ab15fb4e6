#include "win_text/command_line.h"

namespace marrowpin::win_text {

namespace {

bool IsSeparator(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= 32;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  if (const std::size_t zero = command_line.find('\0'); zero != std::string_view::npos) {
    command_line = command_line.substr(0, zero);
  }
  std::vector<std::string> arguments;
  std::size_t at = 0;
  const std::size_t size = command_line.size();
  while (true) {
    // Blanks and empty quote pairs before an argument are both passed over.
    while (true) {
      while (at < size && IsSeparator(command_line[at])) {
        ++at;
      }
      if (command_line.substr(at, 2) != "\"\"") break;
      at += 2;
    }
    if (at == size) break;

    std::string argument;
    while (at < size && !IsSeparator(command_line[at])) {
      if (command_line[at] == '"') {
        const std::size_t closing = command_line.find('"', at + 1);
        const std::size_t end = closing == std::string_view::npos ? size : closing;
        argument.append(command_line.substr(at + 1, end - at - 1));
        at = closing == std::string_view::npos ? size : closing + 1;
      } else {
        argument.push_back(command_line[at]);
        ++at;
      }
    }
    // Only a quote left open at the very end can give an empty argument;
    // like the end of the line, it closes the list.
    if (argument.empty()) break;
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace marrowpin::win_text
