#include <gtest/gtest.h>

#include <sstream>

#include "reader/line_values.h"
#include "reader_fixture.h"
#include "text/strings.h"

namespace kalvex {
namespace {

using testing::spelled;

struct TextCase {
  const char* input;
  const char* expected;
};

std::vector<std::string> allLines(const std::string& content) {
  std::istringstream in(content);
  std::vector<std::string> lines;
  std::string line;
  while (readLine(in, line)) lines.push_back(line);
  return lines;
}

TEST(ReadLine, CutsAtLineFeedsAndDropsOnlyTheCarriageReturnBeforeOne) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\n\n\r\nb\n", {"a", "", "", "b"}},
      {"a\rb\r\n", {"a\rb"}},
      {"last\r", {"last\r"}},
      {"\r\r\n", {"\r"}},
      {"", {}},
      {"\n", {""}},
      {std::string("n\0ul.c\n\0", 8), {std::string("n\0ul.c", 6), std::string("\0", 1)}},
  };
  for (const auto& [content, expected] : cases) EXPECT_EQ(allLines(content), expected) << content;
}

TEST(ReadLine, HasNoLengthLimit) {
  const std::string longLine(3 << 20, 'x');
  EXPECT_EQ(allLines(longLine + "\r\n" + longLine), (std::vector<std::string>{longLine, longLine}));
}

TEST(StripChar, RemovesTheLeadingThenTheTrailingRun) {
  const TextCase cases[] = {
      {"[SP][SP]a[SP]b[SP]", "a[SP]b"}, {"[SP][SP][SP]", ""}, {"", ""}, {"[TAB]a[SP]", "[TAB]a"}, {"a", "a"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(stripChar(spelled(c.input), ' '), spelled(c.expected)) << c.input;
}

TEST(TrimLine, StripsSpacesBeforeTabs) {
  const TextCase cases[] = {
      {"[TAB][SP][SP]x", "[SP][SP]x"},
      {"[SP][TAB]x", "x"},
      {"x[TAB][SP]", "x"},
      {"x[SP][TAB]", "x[SP]"},
      {"[SP][TAB][SP]", ""},
      {"[TAB][TAB]", ""},
      {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(trimLine(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(LineText, StripsEveryLeadingBlankAndTab) {
  const TextCase cases[] = {
      {"[TAB][SP]-Iinc", "-Iinc"}, {"[SP][TAB][SP]#x", "#x"}, {"x[SP][TAB]", "x[SP]"}, {"[TAB][SP]", ""}, {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(lineText(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(IsMacroLine, WantsABlankOrTabAfterTheWord) {
  for (const char* text : {"macro[SP]A=1", "macro[TAB]A=1", "macro[SP]G=x.gpj"})
    EXPECT_TRUE(isMacroLine(spelled(text))) << text;
  for (const char* text : {"macros.c", "macro", "macro=1", "x[SP]macro[SP]A=1"}) {
    EXPECT_FALSE(isMacroLine(spelled(text))) << text;
  }
}

TEST(SubProjectEntry, EndsAfterAWordEndingInGpjElseCutsAtTheFirstTabElseTheFirstSpace) {
  const TextCase cases[] = {
      {"sub.gpj[TAB]x[SP]y", "sub.gpj"},
      {"my[SP]dir\\sub.gpj[TAB]x", "my[SP]dir\\sub.gpj"},
      {"my[SP]dir\\sub.gpj", "my[SP]dir\\sub.gpj"},
      {"CMake[SP]Rules.gpj[SP][Subproject]", "CMake[SP]Rules.gpj"},
      {"ui/ui.gpj[TAB][TAB][Library]", "ui/ui.gpj"},
      {"a.gpjx[SP]b.gpj[SP]c.gpj", "a.gpjx[SP]b.gpj"},
      {"sub.gpj[SP]{optional}", "sub.gpj"},
      {"\"my[SP]dir\\sub.gpj\"[SP][Library]", "my[SP]dir\\sub.gpj"},
      {"\"open[SP]ended.gpj", "open[SP]ended.gpj"},
      {"x.gpj.bak[SP]y", "x.gpj.bak"},
      {"ab[TAB]x.gpj", "ab"},
      {"sub.gpj[SP]#[SP]old", ""},
      {"\"x#.gpj\"", ""},
      {"lib\\lib.gpj", "lib\\lib.gpj"},
      {"[TAB][TAB]sub.gpj", "sub.gpj"},
      {"[TAB][SP]my[SP]dir\\sub.gpj[SP]x", "my[SP]dir\\sub.gpj"},
      {"[TAB][SP]x[SP]y.gpjz", ""},
      {"[SP][TAB]x[SP]y.gpjz", "x"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(subProjectEntry(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(SourceDirText, TakesTheRestAfterTheMarkerStrippedOfSpacesOnly) {
  const TextCase cases[] = {
      {":sourceDir=[SP][SP]..\\src[SP]", "..\\src"},
      {":sourceDir=..\\src[TAB]", "..\\src[TAB]"},
      {"[TAB]x:sourceDir=a:sourceDir=b", "a:sourceDir=b"},
      {":sourceDir=", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(sourceDirText(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(IncludeText, DropsTwoCharactersOfTheTrimmedLine) {
  const TextCase cases[] = {
      {"[TAB]-I[SP][SP]..\\inc", "..\\inc"},
      {"-I./inc", "inc"},
      {"x[SP]-Iinc", "-Iinc"},
      {"[TAB][SP]-Iinc", "Iinc"},
      {"-I", ""},
      {"I", ""},
      {"-I[SP]./[SP]x", "[SP]x"},
      {"-I.\\inc", ".\\inc"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(includeText(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(DefineText, DropsTwoCharactersAndNothingElse) {
  const TextCase cases[] = {
      {"[TAB]-DDEBUG=1", "DEBUG=1"}, {"-D[SP]NAME", "[SP]NAME"}, {"-DA=B=C", "A=B=C"}, {"-D", ""}, {"D", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(defineText(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(MacroDefinition, NameRunsToTheFirstEqualsSignAfterMacro) {
  struct Case {
    const char* line;
    const char* name;
    const char* value;
  };
  const Case cases[] = {
      {"macro[SP]ROOT[SP]=[SP]..\\base", "ROOT", "..\\base"},
      {"[TAB]macro[SP]A=[TAB]x[SP]", "A", "[TAB]x"},
      {"X=1[SP]macro[SP]B=2", "B", "2"},
      {"macro[TAB]C[SP]=[SP]a=b", "C", "a=b"},
      {"macro[SP][TAB][SP]E[TAB]=1", "E[TAB]", "1"},
      {"macroD=", "D", ""},
      {"macro[SP]macro=1", "macro", "1"},
  };
  for (const Case& c : cases) {
    const auto definition = macroDefinition(spelled(c.line));
    ASSERT_TRUE(definition.has_value()) << c.line;
    EXPECT_EQ(definition->name, spelled(c.name)) << c.line;
    EXPECT_EQ(definition->value, spelled(c.value)) << c.line;
  }
}

TEST(MacroDefinition, DefinesNothingWithoutAnEqualsSignAfterMacro) {
  for (const char* line : {"macros.c", "A=1[SP]macro[SP]B", "macro", "no[SP]such[SP]word=1"}) {
    EXPECT_FALSE(macroDefinition(spelled(line)).has_value()) << line;
  }
}

TEST(SourceFileText, EndsAtTheFirstTab) {
  const TextCase cases[] = {
      {"main.c[TAB]x", "main.c"},
      {"[SP][TAB]a.c[SP]", "a.c"},
      {"[SP]#x.c", "#x.c"},
      {"..\\src\\x.c[TAB][TAB]-DX", "..\\src\\x.c"},
      {"a[SP]b.c[SP]-o[SP]x", "a[SP]b.c[SP]-o[SP]x"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(sourceFileText(spelled(c.input)), spelled(c.expected)) << c.input;
}

TEST(ExtensionAccepted, ComparesTheLastExtensionIgnoringAsciiCase) {
  struct Case {
    const char* path;
    std::vector<std::string> list;
    bool accepted;
  };
  const Case cases[] = {
      {"C:\\a\\B.CPP", {"cpp"}, true},
      {"C:\\a\\b.c", {"cpp"}, false},
      {"C:\\a\\b.weird", {}, false},
      {"C:\\a\\b.CPP", {}, true},
      {"C:\\a\\b.c++", {}, true},
      {"C:\\a\\b.Cp", {}, true},
      {"C:\\a\\b.cxx", {}, true},
      {"C:\\a\\b.cc", {}, true},
      {"C:\\a\\b.c", {}, true},
      {"C:\\a\\app.con", {}, false},
      {"C:\\a\\rules.cmake", {}, false},
      {"C:\\a\\b.h", {}, false},
      {"C:\\a\\b.cpp.o", {}, false},
      {"C:\\a\\b.con", {"con"}, true},
      {"C:\\a\\b.c", {".c"}, false},
      {"C:\\a\\b.c", {"h", "C"}, true},
      {"C:\\a\\main.c[TAB]x", {"c"}, false},
      {"C:\\a.b\\noext", {"b\\noext"}, true},
      {"cpp", {"CPP"}, true},
      {"C:\\a\\b.c", {""}, false},
      {"C:\\a\\b.", {""}, true},
      {"C:\\a\\b.\xE4", {"\xC4"}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(extensionAccepted(spelled(c.path), c.list), c.accepted) << c.path;
}

}  // namespace
}  // namespace kalvex
