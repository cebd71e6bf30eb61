// A labelled stream of messages played through the add-in in a store of its
// own, with every mistake corrected the way an attentive user would: Mark for
// missed spam, Unmark (or To Inbox from the Spam folder) for valid mail taken
// as spam. Each message is filed away into a subfolder of the Inbox once
// handled, as a user files read mail, so that the Inbox stays small.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/Session.h"

namespace skerrow::cli {

struct LabelledMessage {
  std::string file;
  bool spam = false;
};

// Both lists in name order, merged so that each kind is spread evenly over
// the stream (the order is fixed for a given pair of folders).
std::vector<LabelledMessage> InterleaveCorpus(const std::vector<std::string>& ham,
                                              const std::vector<std::string>& spam);
// The regular files of a folder, sorted by name.
std::vector<std::string> FilesIn(const std::string& folder, std::string& error);

// The errors of one run of messages in stream order.
struct ReplayWindow {
  std::size_t first = 0;  // 1-based position in the stream of its first message
  std::size_t messages = 0;
  std::size_t falsePositives = 0;
  std::size_t falseNegatives = 0;
};

// The errors are also counted per run of this many messages, so that the
// cold start and the steady state can be told apart.
inline constexpr std::size_t kReplayWindow = 200;

struct ReplayCounts {
  std::size_t ham = 0;
  std::size_t spam = 0;
  std::size_t falsePositives = 0;  // valid mail taken as spam
  std::size_t falseNegatives = 0;  // spam let through
  std::size_t unreadable = 0;
  std::map<int, std::size_t> falsePositivesByReason;
  std::map<std::string, std::size_t> falseNegativesByVerdict;
  std::vector<ReplayWindow> windows;  // one per kReplayWindow messages, the last maybe shorter
  double seconds = 0.0;
};

// Plays the messages through a connected session. progress is called after
// each message with the number done.
ReplayCounts Replay(Session& session, const std::vector<LabelledMessage>& messages,
                    const std::function<void(std::size_t done)>& progress);

}  // namespace skerrow::cli
