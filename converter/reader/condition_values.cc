#include "reader/condition_values.h"

#include <cstdint>
#include <limits>

#include "reader/brace_groups.h"
#include "text/ascii.h"

namespace kalvex {
namespace {

// An argument or operand stripped, unquoted and with its "${NAME}" references expanded.
std::string plainValue(const std::string& written, const NameSources& names) {
  std::string text = withoutBlanks(written);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return expandBraceReferences(text, names);
}

// The plain value, or the value as written of the macro it names.
std::string value(const std::string& written, const NameSources& names) {
  std::string text = plainValue(written, names);
  const auto macro = names.writtenMacros.find(text);
  return macro == names.writtenMacros.end() ? text : macro->second;
}

Truth truthOf(bool holds) { return holds ? Truth::kTrue : Truth::kFalse; }

struct Integer {
  enum class Kind { kText, kInteger, kTooLarge } kind = Kind::kText;
  bool negative = false;
  std::uint64_t magnitude = 0;
};

int digitValue(char c, unsigned base) {
  int digit = -1;
  if (c >= '0' && c <= '9') digit = c - '0';
  if (base == 16 && lowerAscii(c) >= 'a' && lowerAscii(c) <= 'f') digit = lowerAscii(c) - 'a' + 10;
  return digit;
}

Integer integerOf(const std::string& text) {
  Integer integer;
  integer.negative = text.compare(0, 1, "-") == 0;
  std::size_t at = integer.negative ? 1 : 0;
  unsigned base = 10;
  if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
    base = 16;
    at += 2;
  }
  if (at == text.size()) return integer;
  bool tooLarge = false;
  for (; at < text.size(); ++at) {
    const int digit = digitValue(text[at], base);
    if (digit < 0) return Integer{};
    const auto next = static_cast<std::uint64_t>(digit);
    if (integer.magnitude > (std::numeric_limits<std::uint64_t>::max() - next) / base) tooLarge = true;
    integer.magnitude = integer.magnitude * base + next;
  }
  integer.kind = tooLarge ? Integer::Kind::kTooLarge : Integer::Kind::kInteger;
  return integer;
}

// Below zero when a is less than b, zero when they are equal, above zero otherwise.
int order(const Integer& a, const Integer& b) {
  const bool aBelow = a.negative && a.magnitude != 0;
  const bool bBelow = b.negative && b.magnitude != 0;
  if (aBelow != bBelow) return aBelow ? -1 : 1;
  const int magnitudes = a.magnitude < b.magnitude ? -1 : (a.magnitude > b.magnitude ? 1 : 0);
  return aBelow ? -magnitudes : magnitudes;
}

Truth ordered(std::string_view op, int comparison) {
  if (op == "==") return truthOf(comparison == 0);
  if (op == "!=") return truthOf(comparison != 0);
  if (op == "<") return truthOf(comparison < 0);
  if (op == "<=") return truthOf(comparison <= 0);
  if (op == ">") return truthOf(comparison > 0);
  return truthOf(comparison >= 0);
}

}  // namespace

Truth callTruth(const std::string& name, const std::vector<std::string>& arguments, const ConditionSources& sources) {
  const NameSources& names = sources.names;
  if (name == "streq" && arguments.size() >= 2) {
    const std::string first = value(arguments.front(), names);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
      if (value(arguments[i], names) == first) return Truth::kTrue;
    }
    return Truth::kFalse;
  }
  if (arguments.size() != 1) return Truth::kUnknown;
  if (name == "isdefined" || name == "isundefined") {
    return truthOf(names.valueOf(plainValue(arguments.front(), names)).has_value() == (name == "isdefined"));
  }
  if (name == "config" && sources.chosen != nullptr) {
    const std::string word = value(arguments.front(), names);
    return truthOf(sources.chosen->namedBy(word));
  }
  return Truth::kUnknown;
}

Truth comparisonTruth(std::string_view op, const std::string& left, const std::string& right,
                      const NameSources& names) {
  const std::string a = value(left, names);
  const std::string b = value(right, names);
  const Integer x = integerOf(a);
  const Integer y = integerOf(b);
  if (x.kind == Integer::Kind::kInteger && y.kind == Integer::Kind::kInteger) return ordered(op, order(x, y));
  if (x.kind != Integer::Kind::kText && y.kind != Integer::Kind::kText) return Truth::kUnknown;
  if (op == "==" || op == "!=") return truthOf((a == b) == (op == "=="));
  return Truth::kUnknown;
}

}  // namespace kalvex
