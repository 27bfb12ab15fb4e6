#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_prompts.h"

namespace marrowpin::testing {

// Answers prompts from queues and records every prompt shown, in order, as
// Message() and Asked() spell them, and why each name was asked for. A question or name dialog with
// no answer queued is a test failure.
class FakePrompts final : public UserPrompts {
 public:
  std::deque<bool> yes_no_answers;
  std::deque<std::optional<std::string>> file_name_answers;
  std::vector<std::string> shown;
  // Why each name was asked for, and the system's words with it.
  std::vector<NameReason> name_requests;
  std::vector<std::string> name_system_reasons;
  std::vector<std::string> failure_reasons;
  // The output each output failure names.
  std::vector<std::string> failure_outputs;
  // Runs while a failure is shown, as the user would see the files then.
  std::function<void()> while_failure_shown = [] {};

  void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
  void ShowFailure(const std::string& text, const std::string& reason) override {
    ShowMessage(text);
    failure_reasons.push_back(reason);
    while_failure_shown();
  }
  void ShowOutputFailure(const std::string& text, const std::string& output_path,
                         const std::string& reason) override {
    ShowFailure(text, reason);
    failure_outputs.push_back(output_path);
  }
  bool AskYesNo(Question, const std::string& text, const std::string& caption) override {
    shown.push_back("ask: " + caption + " / " + text);
    EXPECT_FALSE(yes_no_answers.empty()) << "unexpected question " << caption;
    if (yes_no_answers.empty()) return false;
    const bool answer = yes_no_answers.front();
    yes_no_answers.pop_front();
    return answer;
  }
  std::optional<std::string> AskFileName(const NameRequest& request, const std::string& title,
                                         const std::string& initial_folder) override {
    name_requests.push_back(request.why);
    name_system_reasons.push_back(request.system_reason);
    shown.push_back("name dialog: " + title + " in " + initial_folder);
    EXPECT_FALSE(file_name_answers.empty()) << "unexpected name dialog";
    if (file_name_answers.empty()) return std::nullopt;
    std::optional<std::string> answer = file_name_answers.front();
    file_name_answers.pop_front();
    return answer;
  }
};

inline std::string Message(std::string_view text) {
  return "message: " + std::string(text);
}
inline std::string Asked(std::string_view caption, std::string_view text) {
  return "ask: " + std::string(caption) + " / " + std::string(text);
}

}  // namespace marrowpin::testing
