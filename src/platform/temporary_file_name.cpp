#include "platform/temporary_file_name.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "core/output_name_rules.h"

namespace marrowpin {

std::string TemporaryFileName() {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  // Creation fails on a name that is taken, and the caller draws again:
  // the names need to differ, not to be secret.
  static std::mt19937_64 draw(
      std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::string name(kTemporaryNamePrefix);
  for (int i = 0; i < 6; ++i)
    name += kLetters[draw() % kLetters.size()];
  return name;
}

}  // namespace marrowpin
