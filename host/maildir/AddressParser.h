// The mailboxes of an address header (From, To, Cc, Bcc), read leniently:
// display names in quotes or not, RFC 2047 encoded words in them (also inside
// quotes, as many mailers write them), comments, old-style "addr (Name)",
// groups "Team: a@x, b@y;" (their members are listed), stray commas.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skerrow::maildir {

struct MailAddress {
  std::u16string name;     // decoded display name, may be empty
  std::u16string address;  // the addr-spec, blanks and comments removed
};

class AddressParser {
 public:
  static std::vector<MailAddress> Parse(std::string_view raw);
};

}  // namespace skerrow::maildir
