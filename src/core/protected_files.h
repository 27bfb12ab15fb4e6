#pragma once

#include <map>
#include <optional>

#include "core/file_system.h"
#include "core/user_prompts.h"

namespace marrowpin {

// Files that a run of conversions must not replace with an output, each with
// the reason the user is given when an output's name leads to one.
class ProtectedFiles {
 public:
  // The first reason given for a file stays.
  void Add(const FileId& id, NameReason why) { reasons_.try_emplace(id, why); }
  void Add(const std::optional<FileId>& id, NameReason why) {
    if (id) Add(*id, why);
  }
  std::optional<NameReason> Why(const FileId& id) const {
    const auto found = reasons_.find(id);
    return found == reasons_.end() ? std::nullopt : std::optional(found->second);
  }

 private:
  std::map<FileId, NameReason> reasons_;
};

}  // namespace marrowpin
