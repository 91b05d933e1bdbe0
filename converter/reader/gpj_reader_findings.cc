// The reader's rule for the brace groups that begin a line: a condition that is false or
// not evaluated is told of, "{optional}" makes the entry optional.
#include <algorithm>
#include <optional>

#include "reader/brace_groups.h"
#include "reader/conditions.h"
#include "reader/gpj_reader.h"
#include "reader/line_values.h"

namespace kalvex {

// Nothing when the line names nothing: it has a "{comment}" group or a false condition. A
// condition whose value is unknown is told of, once no group is false, since the line is read
// as if the condition were not there; an "optgroup=" group only sorts options in the IDE.
std::optional<Presence> GpjReader::conditionsHold(const std::vector<std::string>& groups) {
  if (std::find(groups.begin(), groups.end(), "comment") != groups.end()) return std::nullopt;
  Presence presence = Presence::kRequired;
  std::vector<const std::string*> unknown;
  for (const std::string& inner : groups) {
    if (isOptionalGroup(inner)) {
      presence = Presence::kOptional;
    } else if (!startsWith(inner, "optgroup=")) {
      const Truth truth = evaluateCondition(inner, conditionSources());
      if (truth == Truth::kFalse) {
        findings_.conditionFalse(inner);
        return std::nullopt;
      }
      if (truth == Truth::kUnknown) unknown.push_back(&inner);
    }
  }
  for (const std::string* inner : unknown) findings_.conditionNotEvaluated(*inner);
  return presence;
}

}  // namespace kalvex
