// Parses arbitrary text as a Restrict filter and evaluates it. Input: the
// subject, a NUL, then the filter, both UTF-8. A filter that parses must
// parse inside NOT( ) too and then give the opposite answer, and the order
// of the comparisons must be a total order.
#include "base/Utf8.h"
#include "fuzz/FuzzTarget.h"
#include "host/SubjectFilter.h"

using skerrow::SubjectFilter;
using skerrow::fuzz::Require;

SKERROW_FUZZ_TARGET(SubjectFilter) {
  const std::size_t nul = input.find('\0');
  if (nul == std::string_view::npos) return;
  const std::u16string subject = skerrow::Utf8ToUtf16(input.substr(0, nul));
  const std::u16string text = skerrow::Utf8ToUtf16(input.substr(nul + 1));
  const auto filter = SubjectFilter::Parse(text);
  Require(SubjectFilter::Compare(subject, subject) == 0, "a subject equals itself");
  Require(SubjectFilter::Compare(subject, text) == -SubjectFilter::Compare(text, subject),
          "the order is antisymmetric");
  if (!filter) return;
  const bool matches = filter->Matches(subject);
  // The negation adds one level and one node, which a filter at the limits
  // may not have left.
  if (const auto negated = SubjectFilter::Parse(u"NOT(" + text + u")")) {
    Require(negated->Matches(subject) == !matches, "NOT( ) gives the opposite answer");
  }
}

SKERROW_FUZZ_SEEDS(SubjectFilter) {
  using namespace std::string_literals;
  // The filters the Spam folder logic writes, and a few more.
  return {
      "_<*3*> Win a prize\0[Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\""s,
      "Hello\0NOT( [Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\")"s,
      "<*1*>caf\xc3\xa9\0([subject] = 'it''s' or [SUBJECT] <> \"x\") and not [Subject] < \"<\""s,
  };
}
