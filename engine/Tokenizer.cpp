#include "engine/Tokenizer.h"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/CharacterClass.h"
#include "platform/Platform.h"

namespace skerrow {

namespace {

// Links shorter than this are fragments ("www.a") rather than addresses.
constexpr std::size_t kShortestLink = 6;

bool EqualsAsciiNoCase(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

// Separators that belong inside a link: the dots of a host name and the
// slashes of a path.
bool EndsLink(char byte) {
  return IsSeparator(byte) && byte != '.' && byte != '/' && byte != '\\';
}

}  // namespace

void Tokenizer::Tokenize(std::string_view text, int minLength, MessageFeatures& features) const {
  const auto wordLength = static_cast<std::size_t>(std::max(features.maxWordLength, 0));
  int taken = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSeparator(text[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < text.size() && IsWordCharacter(text[i])) ++i;
    const std::size_t end = i;
    const std::string_view candidate = text.substr(start, std::min(end - start, wordLength));

    if (EqualsAsciiNoCase(candidate, "www")) {
      i = LinkFromWww(text, start, end, features);
    } else if (EqualsAsciiNoCase(candidate, "http")) {
      i = LinkAfterHttp(text, end, features);
    } else {
      if (taken >= features.maxWords) return;
      if (static_cast<int>(candidate.size()) >= minLength) {
        features.words.insert(codePage_.ToUpper(candidate));
        ++taken;
      }
    }
  }
}

std::optional<std::size_t> Tokenizer::FindLinkEnd(std::string_view text, std::size_t scanStart,
                                                  const MessageFeatures& features) const {
  const auto scanLength = static_cast<std::size_t>(std::max(features.maxLinkLength, 0));
  const std::size_t scanEnd = scanStart + std::min(scanLength, text.size() - scanStart);
  for (std::size_t q = scanStart; q < scanEnd; ++q) {
    if (EndsLink(text[q])) return q;
  }
  return std::nullopt;
}

bool Tokenizer::RecordLink(std::string_view link, MessageFeatures& features) const {
  if (link.size() < kShortestLink) return false;
  features.links.insert(codePage_.ToUpper(link));
  return true;
}

std::size_t Tokenizer::LinkFromWww(std::string_view text, std::size_t start, std::size_t end,
                                   MessageFeatures& features) const {
  // The link keeps its "www"; the end is looked for from the separator that
  // ended the "www" run.
  const std::optional<std::size_t> linkEnd = FindLinkEnd(text, end, features);
  if (linkEnd && RecordLink(text.substr(start, *linkEnd - start), features)) return *linkEnd;
  return end;
}

std::size_t Tokenizer::LinkAfterHttp(std::string_view text, std::size_t end,
                                     MessageFeatures& features) const {
  // The scheme and its slashes are left out, so that "http://www.x.com/a"
  // and "www.x.com/a" give the same link.
  const std::size_t slashes = std::min(text.find("//", end), text.find("\\\\", end));
  if (slashes == std::string_view::npos) return end;
  const std::size_t linkStart = slashes + 2;
  const std::optional<std::size_t> linkEnd = FindLinkEnd(text, linkStart, features);
  if (linkEnd && RecordLink(text.substr(linkStart, *linkEnd - linkStart), features)) {
    return *linkEnd;
  }
  return end;
}

}  // namespace skerrow
