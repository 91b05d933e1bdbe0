#include <gtest/gtest.h>

#include "host/environment_block.h"
#include "reader/brace_groups.h"
#include "reader_fixture.h"

namespace kalvex {
namespace {

using testing::spelled;

TEST(TakeBraceGroups, TakesOffLeadingGroupsWithTheirBlanks) {
  struct Case {
    const char* text;
    std::vector<std::string> inner;
    const char* rest;
  };
  const Case cases[] = {
      {"{optional}[SP]sub.gpj", {"optional"}, "sub.gpj"},
      {"{[SP]optgroup=GhsCommonOptions[SP]}[TAB]-Iinc", {"optgroup=GhsCommonOptions"}, "-Iinc"},
      {"{streq(a,b)}{!isdefined(X)}[SP][TAB]x.c", {"streq(a,b)", "!isdefined(X)"}, "x.c"},
      {"{a{b}c}[SP]x.c", {"a{b}c"}, "x.c"},
      {"{done}[SP]{open[SP]x.c", {"done"}, "{open[SP]x.c"},
      {"{}x.c", {""}, "x.c"},
      {"x.c[SP]{optional}", {}, "x.c[SP]{optional}"},
      {"{only}", {"only"}, ""},
      {"", {}, ""},
  };
  for (const Case& c : cases) {
    const BraceGroups groups = takeBraceGroups(spelled(c.text));
    EXPECT_EQ(groups.inner, c.inner) << c.text;
    EXPECT_EQ(groups.rest, spelled(c.rest)) << c.text;
  }
}

TEST(FindVariable, MatchesWholeNamesWithOrWithoutCase) {
  const char* block[] = {"PATH=/bin", "Ghs_Home=C:\\ghs", "EMPTY=", "A=B=C", "=C:=C:\\", nullptr};
  struct Case {
    const char* name;
    NameCase nameCase;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"PATH", NameCase::kExact, "/bin"}, {"Ghs_Home", NameCase::kExact, "C:\\ghs"},
      {"GHS_HOME", NameCase::kExact, {}}, {"GHS_HOME", NameCase::kIgnored, "C:\\ghs"},
      {"EMPTY", NameCase::kExact, ""},    {"A", NameCase::kExact, "B=C"},
      {"PAT", NameCase::kExact, {}},      {"PATHS", NameCase::kIgnored, {}},
      {"", NameCase::kExact, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(findVariable(block, c.name, c.nameCase), c.value) << c.name;
  EXPECT_EQ(findVariable(nullptr, "PATH", NameCase::kExact), std::nullopt);
}

}  // namespace
}  // namespace kalvex
