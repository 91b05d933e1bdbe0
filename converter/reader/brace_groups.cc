#include "reader/brace_groups.h"

#include <algorithm>
#include <iterator>

#include "text/strings.h"

namespace kalvex {
BraceGroups takeBraceGroups(const std::string& text) {
  BraceGroups groups;
  std::size_t at = 0;
  while (at < text.size() && text[at] == '{') {
    const std::size_t close = matchingBracket(text, at);
    if (close == std::string::npos) break;
    groups.inner.push_back(withoutBlanks(text.substr(at + 1, close - at - 1)));
    at = firstNonBlank(text, close + 1);
    if (at == std::string::npos) at = text.size();
  }
  groups.rest = text.substr(at);
  return groups;
}

namespace {

constexpr std::string_view kOptionalGroups[] = {"optional", "selectone_optional"};

}  // namespace

bool isOptionalGroup(std::string_view inner) {
  return std::find(std::begin(kOptionalGroups), std::end(kOptionalGroups), inner) != std::end(kOptionalGroups);
}

bool holdsOptionalGroup(std::string_view text) {
  return std::any_of(std::begin(kOptionalGroups), std::end(kOptionalGroups),
                     [text](std::string_view group) { return contains(text, "{" + std::string(group) + "}"); });
}

}  // namespace kalvex
