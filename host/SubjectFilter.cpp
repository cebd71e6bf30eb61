#include "host/SubjectFilter.h"

#include <algorithm>

namespace skerrow {

namespace {

// Deep enough for any filter a person writes; shallow enough that hostile
// input cannot exhaust the stack of the recursive descent.
constexpr int kMaxDepth = 64;
// Evaluation recurses along AND/OR chains too, so their length is bounded
// the same way.
constexpr std::size_t kMaxNodes = 1024;

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool IsWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && SubjectFilter::Compare(a, b) == 0;
}

}  // namespace

class SubjectFilter::Parser {
 public:
  Parser(std::u16string_view text, SubjectFilter& filter) : text_(text), filter_(filter) {}

  bool Run() {
    const int root = ParseOr(0);
    if (root < 0) return false;
    SkipBlanks();
    if (pos_ != text_.size()) return false;
    filter_.root_ = root;
    return true;
  }

 private:
  int ParseOr(int depth) {
    int left = ParseAnd(depth);
    while (left >= 0 && TakeKeyword(u"OR")) {
      const int right = ParseAnd(depth);
      if (right < 0) return -1;
      left = AddBranch(Kind::Or, left, right);
    }
    return left;
  }

  int ParseAnd(int depth) {
    int left = ParseUnary(depth);
    while (left >= 0 && TakeKeyword(u"AND")) {
      const int right = ParseUnary(depth);
      if (right < 0) return -1;
      left = AddBranch(Kind::And, left, right);
    }
    return left;
  }

  int ParseUnary(int depth) {
    if (depth > kMaxDepth) return -1;
    if (TakeKeyword(u"NOT")) {
      const int operand = ParseUnary(depth + 1);
      if (operand < 0) return -1;
      return AddBranch(Kind::Not, operand, -1);
    }
    if (Take(u'(')) {
      const int inner = ParseOr(depth + 1);
      if (inner < 0 || !Take(u')')) return -1;
      return inner;
    }
    return ParseComparison();
  }

  int ParseComparison() {
    if (!Take(u'[')) return -1;
    const std::size_t close = text_.find(u']', pos_);
    if (close == std::u16string_view::npos) return -1;
    if (!EqualsNoCase(text_.substr(pos_, close - pos_), u"Subject")) return -1;
    pos_ = close + 1;
    Node node;
    if (!TakeOperator(node.op)) return -1;
    std::optional<std::u16string> value = TakeLiteral();
    if (!value) return -1;
    node.value = std::move(*value);
    return Add(std::move(node));
  }

  bool TakeOperator(Op& op) {
    SkipBlanks();
    static constexpr struct {
      std::u16string_view text;
      Op op;
    } kOperators[] = {{u"<>", Op::NotEqual}, {u"<=", Op::LessEqual}, {u">=", Op::GreaterEqual},
                      {u"<", Op::Less},      {u">", Op::Greater},    {u"=", Op::Equal}};
    for (const auto& candidate : kOperators) {
      if (text_.substr(pos_).starts_with(candidate.text)) {
        pos_ += candidate.text.size();
        op = candidate.op;
        return true;
      }
    }
    return false;
  }

  std::optional<std::u16string> TakeLiteral() {
    SkipBlanks();
    if (pos_ >= text_.size()) return std::nullopt;
    const char16_t quote = text_[pos_];
    if (quote != u'"' && quote != u'\'') return std::nullopt;
    ++pos_;
    std::u16string value;
    while (pos_ < text_.size()) {
      const char16_t c = text_[pos_++];
      if (c != quote) {
        value.push_back(c);
        continue;
      }
      if (pos_ < text_.size() && text_[pos_] == quote) {
        value.push_back(quote);
        ++pos_;
        continue;
      }
      return value;
    }
    return std::nullopt;  // unterminated
  }

  bool TakeKeyword(std::u16string_view keyword) {
    SkipBlanks();
    if (text_.size() - pos_ < keyword.size()) return false;
    if (!EqualsNoCase(text_.substr(pos_, keyword.size()), keyword)) return false;
    const std::size_t end = pos_ + keyword.size();
    if (end < text_.size() && IsWordChar(text_[end])) return false;  // "ORDER", "NOTE"
    pos_ = end;
    return true;
  }

  bool Take(char16_t c) {
    SkipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }

  int AddBranch(Kind kind, int left, int right) {
    Node node;
    node.kind = kind;
    node.left = left;
    node.right = right;
    return Add(std::move(node));
  }

  int Add(Node node) {
    if (filter_.nodes_.size() >= kMaxNodes) return -1;
    filter_.nodes_.push_back(std::move(node));
    return static_cast<int>(filter_.nodes_.size()) - 1;
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
  SubjectFilter& filter_;
};

std::optional<SubjectFilter> SubjectFilter::Parse(std::u16string_view text) {
  SubjectFilter filter;
  if (!Parser(text, filter).Run()) return std::nullopt;
  return filter;
}

bool SubjectFilter::Matches(std::u16string_view subject) const {
  return root_ >= 0 && Evaluate(root_, subject);
}

char16_t SubjectFilter::FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - (u'a' - u'A'));
  // Latin-1 lower-case letters, except the division sign and the two letters
  // without a Latin-1 capital (sharp s, y with diaeresis).
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

SubjectFilter::Op SubjectFilter::Negated(Op op) {
  switch (op) {
    case Op::Equal:
      return Op::NotEqual;
    case Op::NotEqual:
      return Op::Equal;
    case Op::Less:
      return Op::GreaterEqual;
    case Op::LessEqual:
      return Op::Greater;
    case Op::Greater:
      return Op::LessEqual;
    case Op::GreaterEqual:
      break;
  }
  return Op::Less;
}

int SubjectFilter::Compare(std::u16string_view a, std::u16string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t x = FoldCase(a[i]);
    const char16_t y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SubjectFilter::Evaluate(int index, std::u16string_view subject) const {
  const Node& node = nodes_[static_cast<std::size_t>(index)];
  switch (node.kind) {
    case Kind::And:
      return Evaluate(node.left, subject) && Evaluate(node.right, subject);
    case Kind::Or:
      return Evaluate(node.left, subject) || Evaluate(node.right, subject);
    case Kind::Not:
      return !Evaluate(node.left, subject);
    case Kind::Compare:
      break;
  }
  const int order = Compare(subject, node.value);
  switch (node.op) {
    case Op::Equal:
      return order == 0;
    case Op::NotEqual:
      return order != 0;
    case Op::Less:
      return order < 0;
    case Op::LessEqual:
      return order <= 0;
    case Op::Greater:
      return order > 0;
    case Op::GreaterEqual:
      break;
  }
  return order >= 0;
}

}  // namespace skerrow
