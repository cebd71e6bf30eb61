// Splits a narrow text into words and links and pushes them into a features
// record: words (upper-cased) into `words`, links (upper-cased) into `links`.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/MessageFeatures.h"

namespace skerrow {

class CodePage;

class Tokenizer {
 public:
  // Upper-cases with the code page, which must outlive the tokenizer.
  explicit Tokenizer(const CodePage& codePage) : codePage_(codePage) {}

  // A word is a run of word characters, cut to features.maxWordLength; one
  // shorter than minLength is skipped. The scan stops at the first word
  // candidate after features.maxWords words were taken from this text. A run
  // "www" or "http" (any case) is no word: it starts a link (host and path up
  // to the first separator other than . / \, scheme and slashes left out,
  // at most features.maxLinkLength characters scanned), kept when longer
  // than 5 characters.
  void Tokenize(std::string_view text, int minLength, MessageFeatures& features) const;

 private:
  // Each returns where the scan resumes.
  std::size_t LinkFromWww(std::string_view text, std::size_t start, std::size_t end,
                          MessageFeatures& features) const;
  std::size_t LinkAfterHttp(std::string_view text, std::size_t end,
                            MessageFeatures& features) const;
  // The first separator that ends a link, within maxLinkLength characters
  // from scanStart (which may be the end of the text).
  std::optional<std::size_t> FindLinkEnd(std::string_view text, std::size_t scanStart,
                                         const MessageFeatures& features) const;
  // False when the link is too short to keep.
  bool RecordLink(std::string_view link, MessageFeatures& features) const;

  const CodePage& codePage_;
};

}  // namespace skerrow
