// Brace groups at the start of a project-file line: "{optional}", conditions such as
// "{streq(targetCore,pe0)}" or "{!isdefined(DEBUG)}", and options of the IDE such as
// "{optgroup=GhsCommonOptions}". Pure text rules; names come from NameSources.
#ifndef KALVEX_READER_BRACE_GROUPS_H
#define KALVEX_READER_BRACE_GROUPS_H

#include <optional>
#include <string>
#include <vector>

#include "reader/path_rules.h"

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

// The truth of a condition "NAME(ARGS)" with NAME streq, isdefined or isundefined, directly
// after an optional "!" and before a "(" that the last character closes; streq takes exactly
// two arguments. Arguments are stripped of blanks and their "${NAME}" references expanded.
// Nothing when the text is no such condition.
std::optional<bool> evaluateCondition(const std::string& text, const NameSources& names);

}  // namespace kalvex

#endif
