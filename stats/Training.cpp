#include "stats/Training.h"

#include <limits>
#include <string>

#include "stats/WordStatistics.h"

namespace skerrow {

namespace {

// Training never empties a total: the Bayes frequencies divide by them.
std::int32_t LoweredTotal(std::int32_t total) {
  return total < 2 ? 1 : total - 1;
}

// A total read from a damaged file may already be at the top of the range.
std::int32_t RaisedTotal(std::int32_t total) {
  return total == std::numeric_limits<std::int32_t>::max() ? total : total + 1;
}

void IncrementLinks(LearnedList& list, const WordSet& links) {
  for (const std::string& link : links) list.Increment(link);
}

void RemoveLinks(LearnedList& list, const WordSet& links) {
  for (const std::string& link : links) list.Remove(link);
}

}  // namespace

void LearnValid(WordStatistics& statistics, const MessageFeatures& features) {
  statistics.ValidSenders().Increment(features.senderName);
  statistics.SetValidMessageCount(RaisedTotal(statistics.ValidMessageCount()));
  statistics.UpdateWordCounts(features.words, WordCountMode::AsValid);
}

void LearnSpam(WordStatistics& statistics, const MessageFeatures& features) {
  statistics.ValidSenders().Remove(features.senderName);
  statistics.SpamSenders().Increment(features.senderName);
  statistics.SpamSubjects().Increment(features.subject);
  statistics.SpamBodies().Increment(features.bodyText);
  IncrementLinks(statistics.SpamLinks(), features.links);
  statistics.SetSpamMessageCount(RaisedTotal(statistics.SpamMessageCount()));
  statistics.UpdateWordCounts(features.words, WordCountMode::AsSpam);
}

void UnlearnSpam(WordStatistics& statistics, const MessageFeatures& features) {
  statistics.SetSpamMessageCount(LoweredTotal(statistics.SpamMessageCount()));
  statistics.SetValidMessageCount(RaisedTotal(statistics.ValidMessageCount()));
  statistics.SpamSenders().Remove(features.senderName);
  statistics.ValidSenders().Increment(features.senderName);
  statistics.SpamSubjects().Remove(features.subject);
  statistics.SpamBodies().Remove(features.bodyText);
  RemoveLinks(statistics.SpamLinks(), features.links);
  statistics.UpdateWordCounts(features.words, WordCountMode::SpamToValid);
}

void RelearnSpam(WordStatistics& statistics, const MessageFeatures& features) {
  statistics.ValidSenders().Remove(features.senderName);
  statistics.SpamSenders().Increment(features.senderName);
  statistics.SpamSubjects().Increment(features.subject);
  statistics.SpamBodies().Increment(features.bodyText);
  IncrementLinks(statistics.SpamLinks(), features.links);
  statistics.SetValidMessageCount(LoweredTotal(statistics.ValidMessageCount()));
  statistics.SetSpamMessageCount(RaisedTotal(statistics.SpamMessageCount()));
  statistics.UpdateWordCounts(features.words, WordCountMode::ValidToSpam);
}

}  // namespace skerrow
