// The values of the calls and comparisons in a condition (see conditions.h): arguments and
// operands as the rules read them, integers compared as numbers. Pure text rules.
#ifndef KALVEX_READER_CONDITION_VALUES_H
#define KALVEX_READER_CONDITION_VALUES_H

#include <string>
#include <string_view>
#include <vector>

#include "reader/conditions.h"

namespace kalvex {

// The call NAME(arguments), each argument as written between its commas.
Truth callTruth(const std::string& name, const std::vector<std::string>& arguments, const ConditionSources& sources);

// "left op right", op one of "==", "!=", "<", "<=", ">" and ">=", both operands as written.
Truth comparisonTruth(std::string_view op, const std::string& left, const std::string& right, const NameSources& names);

}  // namespace kalvex

#endif
