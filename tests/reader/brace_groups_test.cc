#include <gtest/gtest.h>

#include "reader/brace_groups.h"
#include "reader/environment.h"
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

TEST(EvaluateCondition, ComparesAndTestsNamesOrIsNoCondition) {
  const MacroTable written{{"targetCore", "pe0"}, {"other", "pe0"}, {"empty", ""}};
  const Environment environment = [](const std::string& name) -> std::optional<std::string> {
    if (name == "GHS_HOME") return std::string("C:\\ghs");
    return std::nullopt;
  };
  const NameSources names{written, environment};
  struct Case {
    const char* text;
    std::optional<bool> truth;
  };
  const Case cases[] = {
      {"streq(targetCore,pe0)", true},
      {"streq(targetCore,pe1)", false},
      {"streq([SP]targetCore[SP],[TAB]pe0[SP])", true},
      {"streq(targetCore,other)", true},
      {"streq(pe0,targetCore)", true},
      {"streq(PE0,targetCore)", false},
      {"streq(empty,)", true},
      {"streq(${GHS_HOME},C:\\ghs)", true},
      {"streq(${targetCore},pe0)", true},
      {"!streq(targetCore,pe1)", true},
      {"isdefined(targetCore)", true},
      {"isdefined(empty)", true},
      {"isdefined(GHS_HOME)", true},
      {"isdefined(NOPE)", false},
      {"isdefined([SP]targetCore[SP])", true},
      {"isundefined(NOPE)", true},
      {"isundefined(GHS_HOME)", false},
      {"!isundefined(targetCore)", true},
      {"!isdefined(targetCore)", false},
      // No condition: no effect on the line.
      {"streq(a,b,c)", std::nullopt},
      {"streq(a)", std::nullopt},
      {"isdefined(a)(b)", std::nullopt},
      {"isdefined(a)x", std::nullopt},
      {"[SP]isdefined(a)", std::nullopt},
      {"![SP]isdefined(a)", std::nullopt},
      {"isdefined[SP](a)", std::nullopt},
      {"!!isdefined(a)", std::nullopt},
      {"defined(a)", std::nullopt},
      {"isdefined(a)&&isdefined(b)", std::nullopt},
      {"optgroup=GhsCommonOptions", std::nullopt},
      {"optional", std::nullopt},
      {"isdefined(", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(evaluateCondition(spelled(c.text), names), c.truth) << c.text;
  EXPECT_EQ(evaluateCondition("isdefined(f(x))", names), false);
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
