// The parameters of a Content-Type or Content-Disposition field, read from
// its raw text: quoted or bare values, RFC 2231 continuations and charsets
// (name*0*=utf-8''%C3%A9; name*1=...), and RFC 2047 encoded words inside a
// plain value, which many mailers write for file names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skerrow::maildir {

class MimeParameters {
 public:
  // The decoded value of the parameter (name compared without case), or
  // empty when the field does not have it.
  static std::optional<std::u16string> Get(std::string_view raw, std::string_view name);

  // The value before the first ";", lower case and trimmed ("attachment").
  static std::string Disposition(std::string_view raw);
};

}  // namespace skerrow::maildir
