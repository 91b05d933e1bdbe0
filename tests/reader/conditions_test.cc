#include "reader/conditions.h"

#include <gtest/gtest.h>

#include "reader/configurations.h"
#include "reader/path_rules.h"
#include "reader_fixture.h"

namespace kalvex {
namespace {

using testing::spelled;

struct Case {
  const char* text;
  Truth truth;
};

constexpr Truth T = Truth::kTrue;
constexpr Truth F = Truth::kFalse;
constexpr Truth U = Truth::kUnknown;

class EvaluateCondition : public ::testing::Test {
 protected:
  Truth evaluate(const std::string& text, const BuildConfiguration* chosen = nullptr) const {
    return evaluateCondition(spelled(text), ConditionSources{NameSources{written_, environment_}, chosen});
  }
  void check(const std::vector<Case>& cases, const BuildConfiguration* chosen = nullptr) const {
    for (const Case& c : cases) EXPECT_EQ(evaluate(c.text, chosen), c.truth) << c.text;
  }

 private:
  const MacroTable written_{{"targetCore", "pe0"},  {"other", "pe0"}, {"empty", ""},    {"MICON", "RH850U2A"},
                            {"BOOT_TIME", "0"},     {"HEX", "0x1F"},  {"NEG", "-3"},    {"spaced", "a b"},
                            {"NAME", "targetCore"}, {"comma", "a,b"}, {"ALIAS", "NOPE"}};
  const Environment environment_ = [](const std::string& name) -> std::optional<std::string> {
    if (name == "GHS_HOME") return std::string("C:\\ghs");
    return std::nullopt;
  };
};

TEST_F(EvaluateCondition, Calls) {
  check({
      {"streq(targetCore,pe0)", T},
      {"streq(targetCore,pe1)", F},
      {"streq([SP]targetCore[SP],[TAB]pe0[SP])", T},
      {"streq(targetCore,other)", T},
      {"streq(pe0,targetCore)", T},
      {"streq(PE0,targetCore)", F},
      {"streq(empty,)", T},
      {"streq(MICON,[SP]RH850U2A,[SP]RH850U2B)", T},
      {"streq(MICON,RH850U2B,RH850U2A)", T},
      {"streq(MICON,RH850U2B,RH850U2C,rh850u2a)", F},
      {"streq(a,b,c)", F},
      {"streq(a,b,a)", T},
      {"streq(a)", U},
      {"streq()", U},
      {"streq([SP])", U},
      {"isdefined(targetCore)", T},
      {"isdefined(empty)", T},
      {"isdefined(GHS_HOME)", T},
      {"isdefined(NOPE)", F},
      {"isdefined([SP]targetCore[SP])", T},
      {"isdefined(\"targetCore\")", T},
      {"isdefined(ALIAS)", T},  // a name, not the value of the macro it names
      {"isdefined(${ALIAS})", F},
      {"isdefined(${NAME})", T},
      {"isundefined(NOPE)", T},
      {"isundefined(GHS_HOME)", F},
      {"isdefined(a,b)", U},
      {"isdefined()", U},
      {"isdefined(f(x))", F},
      {"isdefined[SP](targetCore)", T},
      {"istarget(arm)", U},
      {"istarget(\"arm64_standalone\")", U},
      {"%option_value(x)", U},
      {"config(DBG)", U},
      {"defined(a)", U},
  });
}

TEST_F(EvaluateCondition, Operators) {
  check({
      {"!streq(targetCore,pe1)", T},
      {"!isdefined(targetCore)", F},
      {"!!isdefined(targetCore)", T},
      {"![SP]isdefined(targetCore)", F},
      {"!istarget(arm)", U},
      {"(isdefined(targetCore))", T},
      {"[SP]([SP]!([SP]isdefined(NOPE)[SP])[SP])[SP]", T},
      // &&: false wins, then unknown.
      {"isdefined(targetCore)&&isdefined(GHS_HOME)", T},
      {"isdefined(targetCore)[SP]&&[TAB]isdefined(NOPE)", F},
      {"isdefined(NOPE)&&istarget(arm)", F},
      {"istarget(arm)&&isdefined(NOPE)", F},
      {"istarget(arm)&&isdefined(targetCore)", U},
      // ||: true wins, then unknown.
      {"isdefined(NOPE)||isdefined(targetCore)", T},
      {"istarget(arm)||isdefined(targetCore)", T},
      {"isdefined(NOPE)||isundefined(GHS_HOME)", F},
      {"isdefined(NOPE)||istarget(arm)", U},
      // && binds tighter than ||; parentheses change it.
      {"isdefined(targetCore)||isdefined(NOPE)&&isdefined(NOPE)", T},
      {"(isdefined(targetCore)||isdefined(NOPE))&&isdefined(NOPE)", F},
      {"isdefined(NOPE)&&isdefined(NOPE)||isdefined(targetCore)", T},
      {"!(isdefined(NOPE)||isdefined(targetCore))", F},
  });
}

TEST_F(EvaluateCondition, Comparisons) {
  check({
      {"BOOT_TIME[SP]>[SP]0", F},
      {"BOOT_TIME>=0", T},
      {"isdefined(BOOT_TIME)[SP]&&[SP]BOOT_TIME[SP]>[SP]0", F},
      {"BOOT_TIME==0", T},
      {"BOOT_TIME!=0", F},
      {"BOOT_TIME<1", T},
      {"BOOT_TIME<=-1", F},
      {"10>9", T},  // numbers, not texts
      {"010==10", T},
      {"HEX==31", T},
      {"0x1f==0X1F", T},
      {"HEX>0x20", F},
      {"NEG<0", T},
      {"NEG<-2", T},
      {"-0==0", T},
      {"-5<3", T},
      {"3>-5", T},
      {"-0x10==-16", T},
      {"18446744073709551615==0xFFFFFFFFFFFFFFFF", T},
      {"18446744073709551616>0", U},  // beyond 64 bits
      {"18446744073709551616==x", F},
      {"targetCore==pe0", T},
      {"targetCore!=pe0", F},
      {"targetCore==other", T},
      {"targetCore<pe1", U},
      {"UNSET>0", U},
      {"UNSET==UNSET", T},
      {"0x==0", F},
      {"-==-", T},
      {"1.0==1", F},
      {"a=b", U},
      {"a=>b", U},
      {"a==", U},
      {"==a", U},
      {"a<>b", U},
      {"a", U},
  });
}

TEST_F(EvaluateCondition, QuotesAndReferencesInsideOperands) {
  check({
      {"streq(\"pe0\",targetCore)", T},
      {"streq(\"a,b\",comma)", T},
      {"streq(\"a)b\",\"a)b\")", T},
      {"streq(\"[SP]x\",[SP]x)", F},
      {"streq(spaced,\"a[SP]b\")", T},
      {"\"a[SP]&&[SP]b\"==\"a[SP]&&[SP]b\"", T},
      {"\"pe0\"==targetCore", T},
      {"streq(${GHS_HOME},C:\\ghs)", T},
      {"streq(${targetCore},pe0)", T},
      {"streq(${NAME},pe0)", T},  // one pass: ${NAME} gives targetCore, which names a macro
      {"${BOOT_TIME}<1", T},
      {"${A,B)}==${A,B)}", T},
      {"${a[SP]||[SP]b}==${a[SP]||[SP]b}", T},
      {"streq(${x,y},${x,y})", T},
      {"streq(${%option_value(x)},x)", F},
      {"streq(${open,x)", F},  // "${" without "}" is two characters like any other
      {"streq(\"open,x)", U},
      {"\"open==x", U},
  });
}

TEST_F(EvaluateCondition, TextsTheRulesDoNotRead) {
  check({
      {"", U},
      {"isdefined(", U},
      {"isdefined(a)(b)", U},
      {"isdefined(a)x", U},
      {"isdefined(a)&isdefined(b)", U},
      {"isdefined(a)|isdefined(b)", U},
      {"isdefined(NOPE)&&", U},
      {"&&isdefined(NOPE)", U},
      {"(isdefined(NOPE)", U},
      {"isdefined(NOPE))", U},
      {"!", U},
      {"()", U},
      {"isdefined(NOPE)[SP]isdefined(NOPE)", U},
      {"optgroup=GhsCommonOptions", U},
  });
  const std::string deep = std::string(kMaxConditionDepth, '(') + "isdefined(NOPE)" +
                           std::string(kMaxConditionDepth, ')');
  EXPECT_EQ(evaluate(deep), U);
  const std::string shallow = std::string(kMaxConditionDepth - 1, '!') + "isdefined(NOPE)";
  EXPECT_EQ(evaluate(shallow), T);
  EXPECT_EQ(evaluate(std::string(100000, '!') + "isdefined(NOPE)"), U);
}

TEST_F(EvaluateCondition, ConfigurationChosen) {
  const BuildConfiguration chosen{"Debug", "DBG"};
  check({{"config(DBG)", T},
         {"config(dbg)", T},
         {"config(DEBUG)", T},
         {"config([SP]\"Debug\"[SP])", T},
         {"config(REL)", F},
         {"!config(REL)&&config(Debug)", T},
         {"config()", U},
         {"config(DBG,REL)", U}},
        &chosen);
}

TEST(ConfigurationLine, TakesNameTagAndFileOfBothSpellings) {
  struct LineCase {
    const char* text;
    bool isConfiguration;
    std::optional<std::vector<std::string>> parts;  // name, tag, file
  };
  using Parts = std::vector<std::string>;
  const LineCase cases[] = {
      {"defineConfig[SP](\"Debug\"[SP]\"DBG\"[SP]\"tgt\\debug.gpc\")", true, Parts{"Debug", "DBG", "tgt\\debug.gpc"}},
      {"defineConfig(Release rel release.gpc)", true, Parts{"Release", "rel", "release.gpc"}},
      {"defineConfig[TAB]([TAB]A[SP][SP]a[TAB]a.gpc[SP])[SP]", true, Parts{"A", "a", "a.gpc"}},
      {"defineConfig (\"My[SP]Debug\" 'D' \"my[SP]dir/d.gpc\")", true, Parts{"My[SP]Debug", "D", "my[SP]dir/d.gpc"}},
      {"defineConfig Plain p p.gpc", true, Parts{"Plain", "p", "p.gpc"}},
      {"defineConfig(Bad)", true, std::nullopt},
      {"defineConfig(A b c d)", true, std::nullopt},
      {"defineConfig()", true, std::nullopt},
      {"defineConfigX(A a a.gpc)", false, std::nullopt},
      {"defineConfig", false, std::nullopt},
      {"definedConfig(A a a.gpc)", false, std::nullopt},
  };
  for (const LineCase& c : cases) {
    const std::string text = spelled(c.text);
    EXPECT_EQ(isConfigurationLine(text), c.isConfiguration) << c.text;
    if (!c.isConfiguration) continue;
    const std::optional<ConfigurationLine> line = configurationLine(text);
    ASSERT_EQ(line.has_value(), c.parts.has_value()) << c.text;
    if (!line) continue;
    EXPECT_EQ((Parts{line->configuration.name, line->configuration.tag, line->file}),
              (Parts{spelled((*c.parts)[0]), spelled((*c.parts)[1]), spelled((*c.parts)[2])}))
        << c.text;
  }
}

}  // namespace
}  // namespace kalvex
