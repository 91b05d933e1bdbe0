// The condition of a brace group, such as "streq(MICON, RH850U2A, RH850U2B)" or
// "isdefined(T) && T > 0", read by these rules. Pure text rules; names come from the sources.
//  1. condition  := term { "||" term }
//  2. term       := factor { "&&" factor }
//  3. factor     := "!" factor | "(" condition ")" | call | comparison
//  4. call       := NAME "(" [ argument { "," argument } ] ")"
//  5. comparison := operand ( "==" | "!=" | "<" | "<=" | ">" | ">=" ) operand
//  6. Blanks and tabs between the parts are ignored; "f( )" has no argument, "f(a,)" two.
//  7. An operand, and a NAME, is a run of characters other than blanks, tabs, "(", ")", "!",
//     "&", "|", "<", ">", "=" and ","; an argument runs to the next "," or to the ")" that
//     closes its call, parentheses inside it counted in pairs. A double-quoted text (up to the
//     next double quote) and a "${...}" (up to the next "}") belong whole to the argument or
//     operand they stand in, whatever characters they hold.
//  8. The value of an argument or operand: stripped of blanks and tabs, one pair of enclosing
//     double quotes taken off, its "${NAME}" references expanded once, and then, when it names
//     a macro, that macro's value as written.
//  9. Each part is true, false or unknown:
//     - streq(A, B1, ..., Bn), n at least 1: true when the value of A equals that of any Bi
//       (case-sensitive), else false;
//     - isdefined(A), isundefined(A): whether a macro or an environment variable is named A
//       (the value of A by rule 8 without its last step);
//     - config(X): unknown while no configuration is chosen, else true when the value of X
//       equals the chosen NAME or TAG, ASCII case ignored;
//     - a comparison of two integers (an optional "-", then decimal digits, or "0x" or "0X"
//       and hexadecimal digits) compares the numbers; of any other two values, "==" and "!="
//       compare the texts and the other four are unknown. Integers beyond 64 bits compare as
//       unknown;
//     - any other call, or a known one with another number of arguments: unknown.
// 10. "!" swaps true and false and keeps unknown; "a && b" is false when either is false, true
//     when both are true, else unknown; "a || b" is true when either is true, false when both
//     are false, else unknown.
// 11. A text that the rules do not read whole, or that nests "(" and "!" deeper than
//     kMaxConditionDepth, is unknown.
#ifndef KALVEX_READER_CONDITIONS_H
#define KALVEX_READER_CONDITIONS_H

#include <cstddef>
#include <string>

#include "reader/path_rules.h"
#include "text/ascii.h"

namespace kalvex {

enum class Truth { kFalse, kTrue, kUnknown };

constexpr std::size_t kMaxConditionDepth = 200;

// A build configuration as its defineConfig line names it.
struct BuildConfiguration {
  std::string name;
  std::string tag;
  // True when word is its name or its tag, ASCII case ignored.
  bool namedBy(std::string_view word) const {
    return equalIgnoringAsciiCase(word, name) || equalIgnoringAsciiCase(word, tag);
  }
};

struct ConditionSources {
  NameSources names;
  // Null while no configuration is chosen.
  const BuildConfiguration* chosen;
};

Truth evaluateCondition(const std::string& text, const ConditionSources& sources);

}  // namespace kalvex

#endif
