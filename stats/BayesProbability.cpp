#include "stats/BayesProbability.h"

#include <cmath>
#include <optional>
#include <vector>

#include "stats/PackedCounts.h"
#include "stats/WordStatistics.h"

namespace skerrow {

namespace {

// A word seen in fewer spam messages says too little to be trusted; with
// the opt-in condition, so does one seen in fewer valid messages.
constexpr std::int32_t kSmallestSpamCount = 5;
constexpr std::int32_t kSmallestValidCount = 5;
// Until more valid mail than this has been learned, valid frequencies mean
// nothing and no word is used.
constexpr std::int32_t kSmallestValidTotal = 6;
// A word never seen in valid mail is given this fraction of its spam
// frequency as its valid frequency: p = 1 / 1.2, strong but not certain.
constexpr double kSubstituteFactor = 0.2;
constexpr double kNeutralLow = 0.4;
constexpr double kNeutralHigh = 0.6;
constexpr double kNeutral = 0.5;
constexpr int kRescaleExponent = 512;
constexpr double kRescaleBelow = 0x1p-512;

// The word's spam probability, or nothing when the word is not decisive.
std::optional<double> DecisiveProbability(const WordStatistics& statistics, const std::string& word,
                                          BayesWords usable) {
  const std::optional<std::int32_t> packed = statistics.LookupWord(word);
  if (!packed) return std::nullopt;
  const std::int32_t spam = SpamCountOf(*packed);
  const std::int32_t valid = ValidCountOf(*packed);
  const bool heard = spam >= kSmallestSpamCount ||
                     (usable == BayesWords::SeenInSpamOrValid && valid >= kSmallestValidCount);
  if (!heard) return std::nullopt;
  if (statistics.ValidMessageCount() < kSmallestValidTotal) return std::nullopt;

  double validFrequency =
      static_cast<double>(valid) / static_cast<double>(statistics.ValidMessageCount());
  double spamFrequency = 0.0;
  if (spam == 0) {
    // Only a word heard for its valid count gets here: the substitute of a
    // zero count, the other way round, gives p = 0.2 / 1.2 = 1/6.
    spamFrequency = kSubstituteFactor * validFrequency;
  } else {
    // With no spam learned the spam frequency would be infinite and p not
    // a number: such a word is not decisive.
    if (statistics.SpamMessageCount() == 0) return std::nullopt;
    spamFrequency = static_cast<double>(spam) / static_cast<double>(statistics.SpamMessageCount());
    if (validFrequency == 0.0) validFrequency = kSubstituteFactor * spamFrequency;
  }
  const double p = spamFrequency / (spamFrequency + validFrequency);
  // A p that is not a number (a damaged total) fails both comparisons.
  if (p < kNeutralLow || p > kNeutralHigh) return p;
  return std::nullopt;
}

}  // namespace

double BayesProbability(const WordStatistics& statistics, const WordSet& words,
                        int minDecisiveWords, BayesWords usable) {
  std::vector<double> decisive;
  for (const std::string& word : words) {
    if (const std::optional<double> p = DecisiveProbability(statistics, word, usable)) {
      decisive.push_back(*p);
    }
  }
  if (static_cast<int>(decisive.size()) < minDecisiveWords) return kNeutral;

  double spamProduct = 1.0;
  double validProduct = 1.0;
  for (const double p : decisive) {
    spamProduct *= p;
    validProduct *= 1.0 - p;
    // Hundreds of decisive words could take both products below the smallest
    // double and leave 0 / 0. Scaling both by the same power of two is exact
    // and keeps their ratio.
    if (spamProduct < kRescaleBelow && validProduct < kRescaleBelow) {
      spamProduct = std::ldexp(spamProduct, kRescaleExponent);
      validProduct = std::ldexp(validProduct, kRescaleExponent);
    }
  }
  return spamProduct / (spamProduct + validProduct);
}

}  // namespace skerrow
