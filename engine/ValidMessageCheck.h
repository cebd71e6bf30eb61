// The valid check that runs before every spam rule: a known valid sender, a
// sender in the address book, or one of the user's valid texts in the
// subject or body. Options are read at every call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/Env.h"
#include "engine/MessageFeatures.h"
#include "engine/TextSetSearch.h"

namespace skerrow {

class AddressBook;
class WordStatistics;

class ValidMessageCheck {
 public:
  // All must outlive the check.
  ValidMessageCheck(Env env, const WordStatistics& statistics, const AddressBook& addressBook)
      : env_(env), statistics_(statistics), addressBook_(addressBook) {}

  // The sender (when one was read) against ValidSenders and, ignoring case,
  // the address book's names and addresses; then each valid text, ignoring
  // case, anywhere in the subject (bValidSubjectTxt) and in the body text
  // (bValidBodyTxt).
  bool isValidMessage(const MessageFeatures& features) const;

 private:
  bool ContainsValidText(const std::string& text) const;

  // The valid texts upper-cased, made again only when the list changed.
  mutable TextSetSearch upperValidTexts_;
  mutable std::optional<std::uint64_t> upperValidTextsVersion_;

  Env env_;
  const WordStatistics& statistics_;
  const AddressBook& addressBook_;
};

}  // namespace skerrow
