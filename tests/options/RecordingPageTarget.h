// A running add-in as the options page sees it: records what the page asks of
// it and keeps a valid-text list of its own.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "options/OptionsPageTarget.h"

namespace skerrow {

class RecordingPageTarget : public OptionsPageTarget {
 public:
  std::set<std::string> texts;
  std::vector<std::string> calls;  // "toolbar", "rename", "icon on", "icon off", "set", "remove x"

  void UpdateToolbarVisibility() override { calls.push_back("toolbar"); }
  void RenameSpamFolder() override { calls.push_back("rename"); }
  void ShowTrayIcon(bool show) override { calls.push_back(show ? "icon on" : "icon off"); }
  std::set<std::string> ValidTexts() const override { return texts; }
  void SetValidTexts(const std::vector<std::string>& replacement) override {
    calls.push_back("set");
    texts = std::set<std::string>(replacement.begin(), replacement.end());
  }
  void RemoveValidTexts(const std::vector<std::string>& removed) override {
    for (const std::string& text : removed) {
      calls.push_back("remove " + text);
      texts.erase(text);
    }
  }

  OptionsPageTargetProvider Provider() {
    return [this] { return this; };
  }
};

}  // namespace skerrow
