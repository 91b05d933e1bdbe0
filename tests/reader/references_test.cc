#include <gtest/gtest.h>

#include "reader/references.h"
#include "reader_fixture.h"

namespace kalvex {
namespace {

using testing::spelled;

struct ExpansionCase {
  const char* input;
  const char* expected;
  bool held;
};

// A macro's value made absolute (as "$(NAME)" at the start of a text puts it in) and as
// written (as one within a text, and "${NAME}", put it in), read in the folder C:\d.
class ReferencesTest : public ::testing::Test {
 protected:
  void define(const std::string& name, const std::string& absolute, const std::string& written) {
    absolute_[name] = absolute;
    written_[name] = written;
  }
  Expansion expanded(const std::string& text) const {
    return expandReferences(spelled(text), ReferenceSources{absolute_, NameSources{written_, environment_}, folder_});
  }
  std::string expandedPath(const std::string& argument) const {
    return expandPath(argument, ReferenceSources{absolute_, NameSources{written_, environment_}, folder_});
  }

  MacroTable absolute_, written_;
  Environment environment_ = [](const std::string& name) -> std::optional<std::string> {
    if (name == "TOOLS") return std::string("C:\\tools");
    return std::nullopt;
  };
  const std::string folder_ = "C:\\d";
};

TEST_F(ReferencesTest, ExpandsEveryReferenceAndScansWhatItPutsIn) {
  define("ROOT", "C:\\proj", "C:\\proj");
  define("A", "C:\\d\\a", "a");
  define("B", "C:\\d\\b", "b");
  define("MICON", "C:\\d\\RH850", "RH850");
  define("OS", "C:\\ghs\\int", "C:\\ghs\\int");
  define("BSP", "$OS/bsp", "$OS/bsp");
  define("E", "C:\\d\\", "");
  const ExpansionCase cases[] = {
      {"$(ROOT)\\src\\a.c", "C:\\proj\\src\\a.c", true},
      {"$(NONE)\\a.c", "$(NONE)\\a.c", true},
      {"$([SP]ROOT[SP])\\a.c", "C:\\proj\\a.c", true},
      {"$([TAB]ROOT)\\a.c", "$([TAB]ROOT)\\a.c", true},
      // Only a reference that begins the text puts in the value made absolute.
      {"$(A)\\$(B)", "C:\\d\\a\\b", true},
      {"pre$(A)post", "preapost", true},
      {"../cfg/$MICON/can.c", "../cfg/RH850/can.c", true},
      {"$A\\$(B)", "C:\\d\\a\\b", true},
      // A bare name ends at the first "\" or "/", which stays.
      {"$A/x", "C:\\d\\a/x", true},
      {"$A.c", "$A.c", true},
      {"a)$(A)\\b", "a)a\\b", true},
      {"$(A", "C:\\d\\a", true},
      {"$(A\\b", "$(A\\b", true},
      {"$", "$", true},
      {"ab$(", "ab$(", true},
      {"$()", "$()", true},
      {"a$(E)b", "ab", true},
      // A value that names another macro gives that macro's value.
      {"$BSP/target/x.gpj", "C:\\ghs\\int/bsp/target/x.gpj", true},
      {"${BSP}/x", "C:\\ghs\\int/bsp/x", false},
      {"${A}/x${TOOLS}", "a/xC:\\tools", false},
      {"${NONE}\\x", "${NONE}\\x", false},
      {"${%EXECDIR}\\x", "${%EXECDIR}\\x", false},
      {"${%option_value(x)}", "${%option_value(x)}", false},
      {"${ROOT", "${ROOT", false},
      {"${%expand_path(..)}\\x", "C:\\d\\..\\x", false},
      {"${%expand_path($(ROOT)/inc)}", "C:\\proj\\inc", false},
      {"${%expand_path(${A}/(x))}/y", "C:\\d\\a\\(x)/y", false},
  };
  for (const ExpansionCase& c : cases) {
    const Expansion expansion = expanded(c.input);
    EXPECT_EQ(expansion.text, spelled(c.expected)) << c.input;
    EXPECT_EQ(expansion.heldMacroReference, c.held) << c.input;
  }
}

TEST_F(ReferencesTest, LoopsAndOverlongChainsStayAsWritten) {
  define("SELF", "$(SELF)\\x", "$(SELF)\\x");
  define("PING", "$(PONG)", "$(PONG)");
  define("PONG", "$PING/y", "$PING/y");
  for (int i = 0; i < 40; ++i) {
    const std::string value = i == 39 ? "end" : "$(M" + std::to_string(i + 1) + ")";
    define("M" + std::to_string(i), value, value);
  }
  EXPECT_EQ(expanded("$(SELF)\\y").text, "$(SELF)\\x\\y");
  EXPECT_EQ(expanded("$(PING)").text, "$PING/y");
  EXPECT_EQ(expanded("$(M0)").text, "$(M32)") << "the 33rd reference of a chain stays";
  EXPECT_EQ(expanded("$(M8)").text, "end");
}

TEST_F(ReferencesTest, ValuesThatDoubleAtEveryStepStopGrowing) {
  define("L0", "x", "x");
  for (int i = 1; i <= 30; ++i) {
    const std::string below = "$(L" + std::to_string(i - 1) + ")";
    define("L" + std::to_string(i), below + below, below + below);
  }
  const std::string text = expanded("$(L30)").text;
  EXPECT_LT(text.size(), 64u * kReferencesPerText);
  EXPECT_NE(text.find("$(L"), std::string::npos) << "references beyond the budget stay as written";
}

TEST_F(ReferencesTest, ExpandPathJoinsARelativeArgumentToTheFolder) {
  define("TOP", "C:\\top", "C:\\top");
  define("REL", "C:\\d\\up", "up");
  const std::pair<const char*, const char*> cases[] = {
      {"../..", "C:\\d\\..\\.."}, {".", "C:\\d"},           {"./x", "C:\\d\\x"},
      {"inc/.", "C:\\d\\inc"},    {"$TOP/a", "C:\\top\\a"}, {"${REL}/b", "C:\\d\\up\\b"},
      {"/opt/x", "\\opt\\x"},     {"", "C:\\d\\"},
  };
  for (const auto& [argument, expected] : cases) EXPECT_EQ(expandedPath(argument), expected) << argument;
}

TEST(WholeExpandPath, TakesTheArgumentOfAValueThatIsTheBuiltinAsAWhole) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"%expand_path(../..)", "../.."},    {"${%expand_path(.)}", "."},           {"%expand_path(a(b)c)", "a(b)c"},
      {"%expand_path(x)/y", std::nullopt}, {"${%expand_path(x)}y", std::nullopt}, {"${%expand_path(x)", std::nullopt},
      {"%expand_path(x", std::nullopt},    {"x%expand_path(y)", std::nullopt},    {"%option_value(x)", std::nullopt},
  };
  for (const auto& [value, argument] : cases) EXPECT_EQ(wholeExpandPath(value), argument) << value;
}

}  // namespace
}  // namespace kalvex
