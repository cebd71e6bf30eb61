// A user interface that records every message box and wait-cursor call and
// answers each box with `answer`.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace skerrow {

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned style = 0;
};

class RecordingUserInterface : public UserInterface {
 public:
  std::vector<ShownMessage> messages;
  std::vector<bool> waitCursorCalls;  // the argument of each SetWaitCursor
  int answer = mb::kIdOk;

  int ShowMessage(std::string_view text, std::string_view caption, unsigned style) override {
    messages.push_back({std::string(text), std::string(caption), style});
    return answer;
  }
  void SetWaitCursor(bool on) override { waitCursorCalls.push_back(on); }

  // The texts of the boxes shown so far, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : messages) texts.push_back(message.text);
    return texts;
  }
  // How many SetWaitCursor(true) calls are not yet matched by a false.
  int WaitCursorDepth() const {
    int depth = 0;
    for (bool on : waitCursorCalls) depth += on ? 1 : -1;
    return depth;
  }
};

}  // namespace skerrow
