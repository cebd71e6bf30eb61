#include "spamfolder/TaughtMessages.h"

#include <functional>
#include <string>

namespace skerrow {

std::size_t TaughtMessages::KeyOf(const MessageFeatures& features) {
  // Each field goes in with its length in front, so that two different
  // messages never join to the same text.
  std::string joined;
  joined.reserve(features.senderName.size() + features.subject.size() + features.bodyText.size() +
                 16);
  const auto append = [&joined](const std::string& field) {
    joined += std::to_string(field.size());
    joined += ':';
    joined += field;
  };
  append(features.senderName);
  append(features.subject);
  append(features.bodyText);
  for (const std::string& name : features.attachmentNames) append(name);
  return std::hash<std::string>{}(joined);
}

void TaughtMessages::Remember(const MessageFeatures& features) {
  keys_.insert(KeyOf(features));
}

void TaughtMessages::Forget(const MessageFeatures& features) {
  keys_.erase(KeyOf(features));
}

bool TaughtMessages::Contains(const MessageFeatures& features) const {
  return keys_.count(KeyOf(features)) != 0;
}

}  // namespace skerrow
