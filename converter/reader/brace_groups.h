// Brace groups at the start of a project-file line: "{optional}", conditions such as
// "{streq(targetCore,pe0)}" or "{!isdefined(DEBUG)}", and options of the IDE such as
// "{optgroup=GhsCommonOptions}". Pure text rules; conditions are read by conditions.h.
#ifndef KALVEX_READER_BRACE_GROUPS_H
#define KALVEX_READER_BRACE_GROUPS_H

#include <string>
#include <string_view>
#include <vector>

#include "text/strings.h"

namespace kalvex {

struct BraceGroups {
  // The inner text of each group taken off, stripped of blanks at both ends.
  std::vector<std::string> inner;
  // The text after the groups and the blanks and tabs that follow each of them.
  std::string rest;
};

// Takes off the groups at the start of text, each up to its matching "}" (nested braces
// counted). A "{" without its match stops the taking off and stays in the rest.
BraceGroups takeBraceGroups(const std::string& text);

// True for the inner text of a group that makes an entry optional: "optional" or
// "selectone_optional".
bool isOptionalGroup(std::string_view inner);
// True when text holds such a group, braces included, anywhere.
bool holdsOptionalGroup(std::string_view text);

}  // namespace kalvex

#endif
