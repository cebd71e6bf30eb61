// The Items.Restrict filter texts on the subject, parsed once and evaluated
// per item, as the mail client does:
//   [Subject] >= "_<*0*>" AND  [Subject] <= "_<*9*>"
//   NOT( [Subject] >= "_<*0*>" AND  [Subject] <= "_<*9*>")
// Grammar (keywords and the property name in any case, blanks anywhere
// between tokens):
//   filter     := or
//   or         := and { OR and }
//   and        := unary { AND unary }
//   unary      := NOT unary | "(" or ")" | comparison
//   comparison := "[Subject]" op literal      op: = <> < <= > >=
//   literal    := "..." or '...', the quote doubled inside to stand for itself
// Comparisons fold case and then compare UTF-16 code units in order, so
// "abc" = "ABC" and "_" sorts after the letters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerrow {

class SubjectFilter {
 public:
  // Empty when the text is not a filter this grammar accepts (an unknown
  // property, a missing operand, unbalanced parentheses or quotes, nesting
  // deeper than a filter ever needs).
  static std::optional<SubjectFilter> Parse(std::u16string_view text);

  bool Matches(std::u16string_view subject) const;

  // <0, 0, >0: the order the filter's comparisons use.
  static int Compare(std::u16string_view a, std::u16string_view b);

 private:
  enum class Kind : std::uint8_t { Compare, And, Or, Not };
  enum class Op : std::uint8_t { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
  struct Node {
    Kind kind = Kind::Compare;
    Op op = Op::Equal;
    std::u16string value;  // Compare
    int left = -1;         // And, Or, Not
    int right = -1;        // And, Or
  };
  class Parser;

  bool Evaluate(int node, std::u16string_view subject) const;

  std::vector<Node> nodes_;
  int root_ = -1;
};

}  // namespace skerrow
