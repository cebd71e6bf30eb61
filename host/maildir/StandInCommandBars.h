// The command bars of a command-line run: the bars the add-in adds, and a
// menu bar with the mail client's seven menus (File, Edit, View, Go, Tools,
// Actions, Help), so that its menu items land in the fifth and seventh.
// Everything is recorded; nothing is shown.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/EventQueue.h"
#include "host/MailHost.h"
#include "host/maildir/StandInCommandBar.h"
#include "host/maildir/StandInCommandBarButton.h"

namespace skerrow {
class Clipboard;
}

namespace skerrow::maildir {

// What one button looks like after the add-in set it up.
struct RecordedButton {
  std::u16string bar;  // the toolbar's name, or the menu's caption
  std::u16string caption;
  std::u16string tag;
  std::u16string tooltipText;
  std::int32_t style = 0;
  std::optional<int> face;
  bool enabled = true;
  bool visible = true;
  bool barVisible = true;
  std::size_t subscribers = 0;
};

class StandInCommandBars final : public CommandBars {
 public:
  StandInCommandBars(std::shared_ptr<EventQueue> queue, Clipboard* clipboard);

  Result<CommandBarPtr> Add(const std::u16string& name, std::int32_t position,
                            bool temporary) override;
  Result<CommandBarPtr> ActiveMenuBar() override;

  std::vector<RecordedButton> Buttons() const;
  // The first button whose tag or caption is the text, preferring one that
  // has a subscriber; null when there is none.
  std::shared_ptr<StandInCommandBarButton> FindButton(std::u16string_view text) const;

 private:
  std::shared_ptr<EventQueue> queue_;
  Clipboard* clipboard_;
  std::vector<std::shared_ptr<StandInCommandBar>> bars_;
  std::shared_ptr<StandInCommandBar> menuBar_;
};

}  // namespace skerrow::maildir
