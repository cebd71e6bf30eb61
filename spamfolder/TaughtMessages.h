// The messages of this connection that have had their spam lesson although
// they carry no Spam-folder marker: private messages (never retitled) and
// messages whose marker could not be written. The Spam folder watcher selects
// the messages to take in by the absence of the marker, so without this record
// it would teach such a message again at every growth of the Spam folder and
// push the statistics further each time.
//
// A message is known by what the lessons read of it (sender, subject, body
// text, attachment names), not by the size or time pseudo-words, which a
// retitled message changes.
#pragma once

#include <cstddef>
#include <unordered_set>

#include "engine/MessageFeatures.h"

namespace skerrow {

class TaughtMessages {
 public:
  void Remember(const MessageFeatures& features);
  void Forget(const MessageFeatures& features);
  bool Contains(const MessageFeatures& features) const;
  std::size_t Size() const { return keys_.size(); }

 private:
  static std::size_t KeyOf(const MessageFeatures& features);

  std::unordered_set<std::size_t> keys_;
};

}  // namespace skerrow
