#include <gtest/gtest.h>

#include "errors.h"
#include "reader/path_rules.h"
#include "reader_fixture.h"

namespace kalvex {
namespace {

using testing::gpjFile;
using testing::spelled;

struct TextCase {
  const char* input;
  const char* expected;
};

TEST(ExpandBraceReferences, PutsInMacrosAsWrittenThenTheEnvironment) {
  const MacroTable written{{"ROOT", "..\\base"}, {"HOME", "macro"}, {"E", ""}, {"A B", "spaced"}};
  const Environment environment = [](const std::string& name) -> std::optional<std::string> {
    if (name == "HOME" || name == "TOOLS") return "C:\\" + name;
    return std::nullopt;
  };
  const NameSources names{written, environment};
  const TextCase cases[] = {
      {"${ROOT}\\inc", "..\\base\\inc"},
      {"${HOME}/x", "macro/x"},
      {"${TOOLS}\\${ROOT}", "C:\\TOOLS\\..\\base"},
      {"a${E}b", "ab"},
      {"${A[SP]B}", "spaced"},
      {"${[SP]ROOT}", "${[SP]ROOT}"},
      {"${NONE}\\x", "${NONE}\\x"},
      {"${%EXECDIR}\\x", "${%EXECDIR}\\x"},
      {"${ROOT", "${ROOT"},
      {"$(ROOT)\\${ROOT}", "$(ROOT)\\..\\base"},
      {"${}", "${}"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(expandBraceReferences(spelled(c.input), names), spelled(c.expected)) << c.input;
  }
}

TEST(Unquoted, DropsAMatchingPairOfQuotes) {
  const TextCase cases[] = {
      {"\"C:\\Program[SP]Files\\inc\"", "C:\\Program[SP]Files\\inc"},
      {"'inc'", "inc"},
      {"\"\"", ""},
      {"\"", "\""},
      {"\"inc'", "\"inc'"},
      {"in\"c\"", "in\"c\""},
      {"inc", "inc"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(unquoted(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(IsAbsolutePath, AColonOrALeadingSeparator) {
  for (const char* text : {"C:\\x", "\\server\\x", "/usr/include", "x:"}) EXPECT_TRUE(isAbsolutePath(text)) << text;
  for (const char* text : {"", "x\\y", "./x", "..\\x", "$(A)"}) EXPECT_FALSE(isAbsolutePath(text)) << text;
}

TEST(GroupNameOf, DropsFourCharactersOfTheLastComponent) {
  const TextCase cases[] = {
      {"lib\\lib.gpj", "lib"}, {"a.gpj", "a"}, {"sub\\b.gpj", "b"}, {"x\\.gpj", ""},           {"x\\ab", "ab"},
      {"abc", "abc"},          {"d\\", ""},    {"a/b.gpj", "a/b"},  {"z\\core.gpjx", "core."},
  };
  for (const TextCase& c : cases) EXPECT_EQ(groupNameOf(c.input), c.expected) << c.input;
}

// resolvePath and defineMacro against the group C:\d, after the reader has read top.gpj.
class PathResolutionTest : public testing::ReaderTest {
 protected:
  // A macro seen through the references that put it in: "$(NAME)" alone and "x${NAME}".
  struct MacroCase {
    const char* name;
    const char* asAbsolute;
    const char* asWritten;
  };
  void expectMacro(const MacroCase& c) {
    EXPECT_EQ(resolved(std::string("$(") + c.name + ")"), c.asAbsolute) << c.name;
    EXPECT_EQ(resolved(std::string("x${") + c.name + "}"), c.asWritten) << c.name;
  }
  void readTop(std::initializer_list<std::string> lines) {
    host.addFile("C:\\d\\top.gpj", gpjFile(lines));
    readProject("C:\\d\\top.gpj");
  }
};

TEST_F(PathResolutionTest, WithoutSearchJoinsRelativeTextsAndDropsATrailingDot) {
  host.setEnvironment({{"SDK", "C:/sdk"}, {"ROOT", "C:\\env"}});
  readTop({"macro[SP]ROOT=C:\\proj", "macro[SP]REL=..\\rel"});
  const TextCase cases[] = {
      {".", "C:\\d"},
      {"inc\\.", "C:\\d\\inc"},
      {"inc/.", "C:\\d\\inc"},
      {"..", "C:\\d\\.."},
      {"x.", "C:\\d\\x."},
      {"inc\\..", "C:\\d\\inc\\.."},
      {"", "C:\\d\\"},
      {"..\\src\\a.c", "C:\\d\\..\\src\\a.c"},
      {"../src/a.c", "C:\\d\\..\\src\\a.c"},
      {"./a.c", "C:\\d\\a.c"},
      {".\\a", "C:\\d\\.\\a"},
      {"a//b\\\\c", "C:\\d\\a\\\\b\\\\c"},
      {"C:\\src\\a.c", "C:\\src\\a.c"},
      {"C:/src/a.c", "C:\\src\\a.c"},
      {"\\src\\.", "\\src\\."},
      {"/usr/include", "\\usr\\include"},
      {"x:", "x:"},
      {"$(ROOT)\\inc\\.", "C:\\proj\\inc\\."},
      {"$(ROOT)/inc", "C:\\proj\\inc"},
      {"$(NONE)\\inc", "$(NONE)\\inc"},
      {"${REL}\\inc", "C:\\d\\..\\rel\\inc"},
      {"${ROOT}\\inc", "C:\\proj\\inc"},
      {"${SDK}/inc", "C:\\sdk\\inc"},
      {"${NONE}\\inc", "${NONE}\\inc"},
  };
  const std::size_t opened = host.readsOpened().size();
  for (const TextCase& c : cases) EXPECT_EQ(resolved(c.input, PathSearch::kNone), c.expected) << c.input;
  EXPECT_EQ(host.readsOpened().size(), opened) << "no existence test without search";
}

TEST_F(PathResolutionTest, SearchTriesTheGroupDirectoryThenEachSourceDirectoryInOrder) {
  readTop({":sourceDir=s1", ":sourceDir=C:\\s2", ":sourceDir=s1"});
  EXPECT_EQ(pathsTriedFor("none.c"), (std::vector<std::string>{"C:\\d\\none.c", "C:\\d\\s1\\none.c", "C:\\s2\\none.c"}))
      << "each source directory once, in the order first named";
  host.addFile("C:\\s2\\a.c", "");
  host.addFile("C:\\d\\s1\\b.c", "");
  host.addFile("C:\\s2\\b.c", "");
  host.addFile("C:\\d\\c.c", "");
  host.addFile("C:\\d\\s1\\c.c", "");
  host.addDirectory("C:\\d\\dir.c");
  host.addFile("C:\\s2\\dir.c", "");
  host.addFile("C:\\s2\\.\\e.c", "");
  host.addFile("C:\\s2\\sub\\f.c", "");

  const std::size_t before = host.readsOpened().size();
  EXPECT_EQ(resolved("./e.c", PathSearch::kSourceDirs), "C:\\s2\\.\\e.c");
  EXPECT_EQ(std::vector<std::string>(host.readsOpened().begin() + static_cast<long>(before), host.readsOpened().end()),
            (std::vector<std::string>{"C:\\d\\e.c", "C:\\d\\s1\\.\\e.c", "C:\\s2\\.\\e.c"}));

  const TextCase cases[] = {
      {"a.c", "C:\\s2\\a.c"},     {"b.c", "C:\\d\\s1\\b.c"},       {"c.c", "C:\\d\\c.c"},
      {"dir.c", "C:\\s2\\dir.c"}, {"none.c", "C:\\d\\none.c"},     {"./none.c", "C:\\d\\none.c"},
      {"x.", "C:\\d\\x."},        {"sub/f.c", "C:\\s2\\sub\\f.c"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(resolved(c.input, PathSearch::kSourceDirs), c.expected) << c.input;
}

TEST_F(PathResolutionTest, AbsoluteAndMacroTextsAreNeverSearchedFor) {
  readTop({":sourceDir=s", "macro[SP]ROOT=C:\\proj"});
  host.addFile("C:\\d\\s\\C:\\src\\a.c", "");
  const std::size_t before = host.readsOpened().size();
  EXPECT_EQ(resolved("C:\\src\\a.c", PathSearch::kSourceDirs), "C:\\src\\a.c");
  EXPECT_EQ(resolved("$(ROOT)\\src\\a.c", PathSearch::kSourceDirs), "C:\\proj\\src\\a.c");
  EXPECT_EQ(resolved("$(NONE)\\a.c", PathSearch::kSourceDirs), "$(NONE)\\a.c");
  EXPECT_EQ(resolved("\\src\\a.c", PathSearch::kSourceDirs), "\\src\\a.c");
  EXPECT_EQ(resolved("/src/a.c", PathSearch::kSourceDirs), "\\src\\a.c");
  EXPECT_EQ(host.readsOpened().size(), before);
}

// A value that begins with "$" is kept as written: its references are expanded where it is
// used.
TEST_F(PathResolutionTest, MacroValuesAreMadeAbsoluteWhenDefined) {
  readTop({});
  reader().defineMacro("ROOT", "..\\base");
  reader().defineMacro("DRIVE", "C:\\base");
  reader().defineMacro("ONE", "1");
  reader().defineMacro("EMPTY", "");
  reader().defineMacro("B", "$(DRIVE)\\x");
  reader().defineMacro("SLASH", "/opt/x");
  // "$(NAME)" first puts in the value made absolute, "${NAME}" after other text the value as
  // written; "x" and a value with a drive make a text that is not joined.
  const MacroCase cases[] = {
      {"ROOT", "C:\\d\\..\\base", "C:\\d\\x..\\base"},
      {"DRIVE", "C:\\base", "xC:\\base"},
      {"ONE", "C:\\d\\1", "C:\\d\\x1"},
      {"EMPTY", "C:\\d\\", "C:\\d\\x"},
      {"B", "C:\\base\\x", "xC:\\base\\x"},
      {"SLASH", "\\opt\\x", "C:\\d\\x\\opt\\x"},
  };
  for (const MacroCase& c : cases) expectMacro(c);
  EXPECT_EQ(resolved("$(B)\\y", PathSearch::kNone), "C:\\base\\x\\y");
  reader().defineMacro("ROOT", "C:\\other");
  EXPECT_EQ(resolved("$(ROOT)\\a", PathSearch::kNone), "C:\\other\\a");
  EXPECT_EQ(resolved("${ROOT}\\a", PathSearch::kNone), "C:\\other\\a");
}

// After expansion, a text that began with a macro reference stays as it is; one whose
// references stand within it, or that began with "${NAME}" replaced, is joined or searched.
TEST_F(PathResolutionTest, ExpandedTextsAreJoinedUnlessTheyBeganWithAMacroReference) {
  readTop(
      {":sourceDir=s", "macro[SP]MICON=RH850", "macro[SP]REL=..\\rel", "macro[SP]OS=C:\\ghs", "macro[SP]BSP=$OS/bsp"});
  host.addFile("C:\\d\\s\\..\\cfg\\RH850\\can.c", "");
  const TextCase cases[] = {
      {"$(REL)\\$(MICON)", "C:\\d\\..\\rel\\RH850"},
      {"$BSP/target", "C:\\ghs\\bsp\\target"},
      {"$(NONE)/inc", "$(NONE)\\inc"},
      {"${NONE}/inc", "${NONE}\\inc"},
      {"${REL}/inc", "C:\\d\\..\\rel\\inc"},
      {"inc/$REL", "C:\\d\\inc\\..\\rel"},
      {"inc/$NONE", "C:\\d\\inc\\$NONE"},
      {"x${NONE}", "C:\\d\\x${NONE}"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(resolved(c.input, PathSearch::kNone), c.expected) << c.input;
  EXPECT_EQ(resolved("../cfg/$MICON/can.c", PathSearch::kSourceDirs), "C:\\d\\s\\..\\cfg\\RH850\\can.c");
  EXPECT_EQ(resolved("$(MICON)/can.c", PathSearch::kSourceDirs), "C:\\d\\RH850\\can.c");
}

TEST_F(PathResolutionTest, QuotedAndExpandPathValuesAreStoredResolved) {
  readTop({"macro[SP]VARIANT=\"hse_h\"", "macro[SP]ONE='x'", "macro[SP]HALF=\"y", "macro[SP]TOP=%expand_path(../..)",
           "macro[SP]HERE=${%expand_path(.)}", "macro[SP]UP=%expand_path(${TOP}/up)",
           "macro[SP]NOT=%expand_path(x)/y"});
  const MacroCase cases[] = {
      {"VARIANT", "C:\\d\\hse_h", "C:\\d\\xhse_h"},
      {"ONE", "C:\\d\\x", "C:\\d\\xx"},
      {"HALF", "C:\\d\\\"y", "C:\\d\\x\"y"},
      {"TOP", "C:\\d\\..\\..", "xC:\\d\\..\\.."},
      {"HERE", "C:\\d", "xC:\\d"},
      {"UP", "C:\\d\\..\\..\\up", "xC:\\d\\..\\..\\up"},
      {"NOT", "C:\\d\\%expand_path(x)\\y", "C:\\d\\x%expand_path(x)\\y"},
  };
  for (const MacroCase& c : cases) expectMacro(c);
  EXPECT_EQ(resolved("fw/${VARIANT}/", PathSearch::kNone), "C:\\d\\fw\\hse_h\\");
  EXPECT_EQ(resolved("$TOP/env/x.gpj", PathSearch::kNone), "C:\\d\\..\\..\\env\\x.gpj");
}

}  // namespace
}  // namespace kalvex
