#pragma once

#include <string>
#include <utility>

#include "core/file_system.h"

namespace marrowpin {

// What the staged outputs of both platforms share: the system's word on the
// first step that failed, and whether the output is in place.
class StagedOutputBase : public OutputFile {
 public:
  std::string FailureReason() const final { return failure_reason_; }

 protected:
  // Keeps reason when no step has failed before; always false, so that a
  // failing step can return it.
  bool Failed(std::string reason) {
    if (failure_reason_.empty()) failure_reason_ = std::move(reason);
    return false;
  }
  void MarkCommitted() { committed_ = true; }
  bool committed() const { return committed_; }

 private:
  std::string failure_reason_;
  bool committed_ = false;
};

}  // namespace marrowpin
