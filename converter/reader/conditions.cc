#include "reader/conditions.h"

#include <optional>
#include <string_view>
#include <vector>

#include "reader/brace_groups.h"
#include "reader/condition_values.h"

namespace kalvex {
namespace {

bool endsOperand(char c) {
  constexpr std::string_view kStops = " \t()!&|<>=,";
  return kStops.find(c) != std::string_view::npos;
}

Truth negated(Truth truth) {
  if (truth == Truth::kUnknown) return truth;
  return truth == Truth::kTrue ? Truth::kFalse : Truth::kTrue;
}

Truth both(Truth a, Truth b) {
  if (a == Truth::kFalse || b == Truth::kFalse) return Truth::kFalse;
  return a == Truth::kTrue && b == Truth::kTrue ? Truth::kTrue : Truth::kUnknown;
}

Truth either(Truth a, Truth b) {
  if (a == Truth::kTrue || b == Truth::kTrue) return Truth::kTrue;
  return a == Truth::kFalse && b == Truth::kFalse ? Truth::kFalse : Truth::kUnknown;
}

// A recursive descent over the rules; each step gives nothing when the text does not follow
// them from where it stands.
class ConditionParser {
 public:
  ConditionParser(const std::string& text, const ConditionSources& sources) : text_(text), sources_(sources) {}

  std::optional<Truth> whole() {
    const std::optional<Truth> truth = condition(0);
    skipBlanks();
    if (at_ != text_.size()) return std::nullopt;
    return truth;
  }

 private:
  std::optional<Truth> condition(std::size_t depth);
  std::optional<Truth> term(std::size_t depth);
  // One part or more, each read by readPart, with op between them, combined in turn.
  template <typename ReadPart>
  std::optional<Truth> joined(std::string_view op, Truth (*combine)(Truth, Truth), ReadPart readPart);
  std::optional<Truth> factor(std::size_t depth);
  std::optional<Truth> call(const std::string& name);
  std::optional<Truth> comparison(const std::string& left);
  std::optional<std::string> operand();
  std::optional<std::string> argument();
  std::size_t protectedEnd(std::size_t at) const;

  void skipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }
  bool take(std::string_view token) {
    skipBlanks();
    if (text_.compare(at_, token.size(), token) != 0) return false;
    at_ += token.size();
    return true;
  }

  const std::string& text_;
  const ConditionSources& sources_;
  std::size_t at_ = 0;
};

std::optional<Truth> ConditionParser::condition(std::size_t depth) {
  return joined("||", either, [this, depth] { return term(depth); });
}

std::optional<Truth> ConditionParser::term(std::size_t depth) {
  return joined("&&", both, [this, depth] { return factor(depth); });
}

template <typename ReadPart>
std::optional<Truth> ConditionParser::joined(std::string_view op, Truth (*combine)(Truth, Truth), ReadPart readPart) {
  std::optional<Truth> truth = readPart();
  while (truth && take(op)) {
    const std::optional<Truth> next = readPart();
    truth = next ? std::optional<Truth>(combine(*truth, *next)) : std::nullopt;
  }
  return truth;
}

std::optional<Truth> ConditionParser::factor(std::size_t depth) {
  if (depth == kMaxConditionDepth) return std::nullopt;
  if (take("!")) {
    const std::optional<Truth> truth = factor(depth + 1);
    return truth ? std::optional<Truth>(negated(*truth)) : std::nullopt;
  }
  if (take("(")) {
    const std::optional<Truth> truth = condition(depth + 1);
    return truth && take(")") ? truth : std::nullopt;
  }
  skipBlanks();
  const std::optional<std::string> name = operand();
  if (!name || name->empty()) return std::nullopt;
  if (take("(")) return call(*name);
  return comparison(*name);
}

// Reads the arguments after the "(" of a call, and its ")".
std::optional<Truth> ConditionParser::call(const std::string& name) {
  std::vector<std::string> arguments;
  for (;;) {
    std::optional<std::string> next = argument();
    if (!next) return std::nullopt;
    arguments.push_back(std::move(*next));
    if (text_[at_++] == ')') break;
  }
  if (arguments.size() == 1 && withoutBlanks(arguments.front()).empty()) arguments.clear();
  return callTruth(name, arguments, sources_);
}

std::optional<Truth> ConditionParser::comparison(const std::string& left) {
  constexpr std::string_view kOperators[] = {"==", "!=", "<=", ">=", "<", ">"};
  for (const std::string_view op : kOperators) {
    if (!take(op)) continue;
    skipBlanks();
    const std::optional<std::string> right = operand();
    if (!right || right->empty()) return std::nullopt;
    return comparisonTruth(op, left, *right, sources_.names);
  }
  return std::nullopt;
}

// Where the double-quoted text or the "${...}" that begins at ends; at itself when none
// begins there, npos for a double quote without its match.
std::size_t ConditionParser::protectedEnd(std::size_t at) const {
  if (text_[at] == '"') {
    const std::size_t close = text_.find('"', at + 1);
    return close == std::string::npos ? close : close + 1;
  }
  if (text_.compare(at, 2, "${") == 0) {
    const std::size_t close = text_.find('}', at + 2);
    if (close != std::string::npos) return close + 1;
  }
  return at;
}

std::optional<std::string> ConditionParser::operand() {
  const std::size_t start = at_;
  while (at_ < text_.size()) {
    const std::size_t end = protectedEnd(at_);
    if (end == std::string::npos) return std::nullopt;
    if (end == at_ && endsOperand(text_[at_])) break;
    at_ = end == at_ ? at_ + 1 : end;
  }
  return text_.substr(start, at_ - start);
}

// Stops before the "," or ")" that ends the argument; nothing when the call is never closed.
std::optional<std::string> ConditionParser::argument() {
  const std::size_t start = at_;
  std::size_t open = 0;
  while (at_ < text_.size()) {
    const std::size_t end = protectedEnd(at_);
    if (end == std::string::npos) return std::nullopt;
    if (end != at_) {
      at_ = end;
      continue;
    }
    const char c = text_[at_];
    if (open == 0 && (c == ',' || c == ')')) return text_.substr(start, at_ - start);
    if (c == '(') ++open;
    if (c == ')') --open;
    ++at_;
  }
  return std::nullopt;
}

}  // namespace

Truth evaluateCondition(const std::string& text, const ConditionSources& sources) {
  return ConditionParser(text, sources).whole().value_or(Truth::kUnknown);
}

}  // namespace kalvex
