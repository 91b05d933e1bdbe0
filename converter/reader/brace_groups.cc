#include "reader/brace_groups.h"

#include "reader/line_values.h"

namespace kalvex {
std::string withoutBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

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

}  // namespace kalvex
