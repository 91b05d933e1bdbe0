#include "reader/brace_groups.h"

#include "reader/line_values.h"

namespace kalvex {
namespace {

std::string withoutBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// True when the "(" at open is closed by the last character of text.
bool closedByLast(const std::string& text, std::size_t open) { return matchingBracket(text, open) + 1 == text.size(); }

// An argument that names a macro stands for the macro's value as written.
std::string comparedValue(const std::string& argument, const NameSources& names) {
  const auto macro = names.writtenMacros.find(argument);
  return macro == names.writtenMacros.end() ? argument : macro->second;
}

std::optional<bool> predicate(const std::string& name, const std::string& arguments, const NameSources& names) {
  auto argument = [&](const std::string& text) { return expandBraceReferences(withoutBlanks(text), names); };
  if (name == "streq") {
    const std::size_t comma = arguments.find(',');
    if (comma == std::string::npos || arguments.find(',', comma + 1) != std::string::npos) return std::nullopt;
    return comparedValue(argument(arguments.substr(0, comma)), names) ==
           comparedValue(argument(arguments.substr(comma + 1)), names);
  }
  if (name == "isdefined") return names.valueOf(argument(arguments)).has_value();
  if (name == "isundefined") return !names.valueOf(argument(arguments)).has_value();
  return std::nullopt;
}

}  // namespace

BraceGroups takeBraceGroups(const std::string& text) {
  BraceGroups groups;
  std::size_t at = 0;
  while (at < text.size() && text[at] == '{') {
    const std::size_t close = matchingBracket(text, at);
    if (close == std::string::npos) break;
    groups.inner.push_back(withoutBlanks(text.substr(at + 1, close - at - 1)));
    at = text.find_first_not_of(" \t", close + 1);
    if (at == std::string::npos) at = text.size();
  }
  groups.rest = text.substr(at);
  return groups;
}

std::optional<bool> evaluateCondition(const std::string& text, const NameSources& names) {
  const bool negated = text.compare(0, 1, "!") == 0;
  const std::size_t nameStart = negated ? 1 : 0;
  const std::size_t open = text.find('(', nameStart);
  if (open == std::string::npos || !closedByLast(text, open)) return std::nullopt;
  const std::optional<bool> truth = predicate(text.substr(nameStart, open - nameStart),
                                              text.substr(open + 1, text.size() - open - 2), names);
  if (!truth) return std::nullopt;
  return negated ? !*truth : *truth;
}

}  // namespace kalvex
