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
  enum class Op : std::uint8_t { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

  // Empty when the text is not a filter this grammar accepts (an unknown
  // property, a missing operand, unbalanced parentheses or quotes, nesting
  // deeper than a filter ever needs).
  static std::optional<SubjectFilter> Parse(std::u16string_view text);

  bool Matches(std::u16string_view subject) const;

  // <0, 0, >0: the order the filter's comparisons use: the code units of
  // both texts with FoldCase applied, in order.
  static int Compare(std::u16string_view a, std::u16string_view b);
  static char16_t FoldCase(char16_t c);

  // The filter rebuilt bottom-up by a store that evaluates it its own way (a
  // query on an index), with NOT already pushed down to the comparisons:
  // compare(op, value) for each comparison, both(a, b) for AND, either(a, b)
  // for OR. Gives exactly the matches Matches gives.
  template <class T, class Compare, class Both, class Either>
  T Translate(Compare compare, Both both, Either either) const {
    return TranslateNode<T>(root_, false, compare, both, either);
  }

 private:
  enum class Kind : std::uint8_t { Compare, And, Or, Not };
  struct Node {
    Kind kind = Kind::Compare;
    Op op = Op::Equal;
    std::u16string value;  // Compare
    int left = -1;         // And, Or, Not
    int right = -1;        // And, Or
  };
  class Parser;

  bool Evaluate(int node, std::u16string_view subject) const;
  static Op Negated(Op op);

  template <class T, class Compare, class Both, class Either>
  T TranslateNode(int index, bool negated, Compare& compare, Both& both, Either& either) const {
    const Node& node = nodes_[static_cast<std::size_t>(index)];
    switch (node.kind) {
      case Kind::Not:
        return TranslateNode<T>(node.left, !negated, compare, both, either);
      case Kind::And:
      case Kind::Or: {
        T left = TranslateNode<T>(node.left, negated, compare, both, either);
        T right = TranslateNode<T>(node.right, negated, compare, both, either);
        return (node.kind == Kind::And) != negated ? both(std::move(left), std::move(right))
                                                   : either(std::move(left), std::move(right));
      }
      case Kind::Compare:
        break;
    }
    return compare(negated ? Negated(node.op) : node.op, std::u16string_view(node.value));
  }

  std::vector<Node> nodes_;
  int root_ = -1;
};

}  // namespace skerrow
