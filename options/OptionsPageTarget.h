// What the options page reaches in the running add-in. The add-in object
// implements it; the page asks its provider for the current one at each use
// and gets null when no add-in is current (then the page only stores the
// options). Called on the mail client's user-interface thread.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace skerrow {

class OptionsPageTarget {
 public:
  virtual ~OptionsPageTarget() = default;

  // Shows the toolbar when bShowToolbar is on, hides it otherwise; nothing
  // when no toolbar was built.
  virtual void UpdateToolbarVisibility() = 0;
  // Gives the Spam folder the name sSpamBoxName holds; nothing without a
  // Spam folder.
  virtual void RenameSpamFolder() = 0;
  // Adds (true) or removes (false) the notification-area icon.
  virtual void ShowTrayIcon(bool show) = 0;

  // The valid-text list of the word statistics.
  virtual std::set<std::string> ValidTexts() const = 0;
  // Replaces the whole list (duplicates collapse).
  virtual void SetValidTexts(const std::vector<std::string>& texts) = 0;
  // Removes each given text that is present.
  virtual void RemoveValidTexts(const std::vector<std::string>& texts) = 0;
};

// The current add-in's target, or null when no add-in is current.
using OptionsPageTargetProvider = std::function<OptionsPageTarget*()>;

}  // namespace skerrow
