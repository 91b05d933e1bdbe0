#include <gtest/gtest.h>

#include <sstream>

#include "project_converter.h"
#include "reader/path_rules.h"
#include "support/file_lists.h"
#include "support/virtual_host.h"

namespace kalvex {
namespace {

class ModelTest : public ::testing::Test {
 protected:
  VirtualHost host;
  std::ostringstream log;
  ProjectConverter converter{"C:\\p\\top.gpj", "C:\\out", host, log};
  // A group of the converter, as the reader fills them.
  ProjectGroup top{"top", converter};
};

TEST(GroupNameOf, CutsTheLastFourCharactersOfTheTopFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\work\\app\\board.gpj", "board"},
      {"C:\\work\\app\\board.rev2.gpj", "board.rev2"},
      {"C:\\p\\abc", "abc"},
      {"C:\\p\\a.gp", ""},
      {"C:\\p\\board.proj", "board."},
      {"top.gpj", "top"},
      {"C:\\p\\", ""},
      {"C:/p/x.gpj", "C:/p/x"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(groupNameOf(path), name) << path;
}

// The root group shows in the run's messages: named after the top file, written with this
// converter's settings to its log.
TEST_F(ModelTest, ConstructorNamesTheRootAndLeavesTheRestEmpty) {
  EXPECT_EQ(converter.settings.sourceProject, "C:\\p\\top.gpj");
  EXPECT_EQ(converter.destFolder(), "C:\\out");
  EXPECT_EQ(converter.projectName(), "");
  EXPECT_TRUE(converter.settings.extensions.empty());
  EXPECT_TRUE(converter.compilerIncludes().empty());
  EXPECT_EQ(&top.converter(), &converter);
  host.addFile("C:\\p\\top.gpj", "main.c\r\n");
  host.addDirectory("C:\\out");
  converter.settings.projectName = "demo";
  EXPECT_EQ(converter.convert(), 0);
  EXPECT_NE(log.str().find("  Creating Group - top\n"), std::string::npos) << log.str();
  EXPECT_NE(host.fileContent("C:\\out\\demo.prj").value_or("").find("\r\nFolderName=top\r\nSourcePath=C:\\p\r\n"),
            std::string::npos);
}

TEST_F(ModelTest, AddExtensionsKeepsEmptyPieces) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"c,cpp", {"c", "cpp"}}, {".c", {".c"}},       {"", {""}},
      {"c,", {"c", ""}},       {",,", {"", "", ""}}, {" c , h", {" c ", " h"}},
  };
  for (const auto& [text, expected] : cases) {
    converter.settings.extensions.clear();
    converter.addExtensions(text);
    EXPECT_EQ(converter.settings.extensions, expected) << text;
  }
  converter.settings.extensions.clear();
  converter.addExtensions("c,cpp");
  converter.addExtensions("h");
  EXPECT_EQ(converter.settings.extensions, (std::vector<std::string>{"c", "cpp", "h"}));
}

TEST_F(ModelTest, AddDefineSplitsAtTheFirstEquals) {
  ProjectGroup& g = top;
  g.addDefine("A=B=C");
  g.addDefine("E=");
  g.addDefine("F");
  g.addDefine("=B");
  g.addDefine("F=2");
  const std::map<std::string, std::string> expected = {{"", "B"}, {"A", "B=C"}, {"E", ""}, {"F", "2"}};
  EXPECT_EQ(g.defines(), expected);
}

TEST_F(ModelTest, DefinesIterateInUnsignedByteOrder) {
  ProjectGroup& g = top;
  for (const char* name : {"a", "Z", "\xE9t\xE9", "BAUD", "DEBUG", "BA"}) g.addDefine(name);
  std::vector<std::string> names;
  for (const auto& define : g.defines()) names.push_back(define.first);
  EXPECT_EQ(names, (std::vector<std::string>{"BA", "BAUD", "DEBUG", "Z", "a", "\xE9t\xE9"}));
}

TEST_F(ModelTest, IncludesAreKeptOnceInOrder) {
  ProjectGroup& g = top;
  EXPECT_TRUE(g.addInclude("C:\\b"));
  EXPECT_TRUE(g.addInclude("C:\\a"));
  EXPECT_FALSE(g.addInclude("C:\\b"));
  EXPECT_TRUE(g.addInclude("c:\\b")) << "comparison is case-sensitive";
  EXPECT_EQ(g.includes(), (std::vector<std::string>{"C:\\b", "C:\\a", "c:\\b"}));
}

TEST_F(ModelTest, InheritanceCopiesAndThenStaysIndependent) {
  ProjectGroup& root = top;
  root.addDefine("DEBUG=1");
  root.addInclude("C:\\inc");
  root.addInclude("C:\\shared");
  ProjectGroup& child = root.addChild("child");
  child.inheritFrom(root);
  child.addDefine("DEBUG=2");
  child.addDefine("CHILD");
  EXPECT_TRUE(child.addInclude("C:\\child"));
  // Named and inherited: it stands once, at its own place before the inherited ones.
  EXPECT_TRUE(child.addInclude("C:\\shared"));
  EXPECT_FALSE(child.addInclude("C:\\child"));
  root.addDefine("LATE");
  ProjectGroup& grandchild = child.addChild("grandchild");
  grandchild.inheritFrom(child);
  grandchild.addInclude("C:\\own");

  EXPECT_EQ(root.defines(), (std::map<std::string, std::string>{{"DEBUG", "1"}, {"LATE", ""}}));
  EXPECT_EQ(root.includes(), (std::vector<std::string>{"C:\\inc", "C:\\shared"}));
  EXPECT_EQ(child.includes(), (std::vector<std::string>{"C:\\child", "C:\\shared", "C:\\inc"}));
  EXPECT_EQ(grandchild.defines(), (std::map<std::string, std::string>{{"CHILD", ""}, {"DEBUG", "2"}}));
  EXPECT_EQ(grandchild.includes(), (std::vector<std::string>{"C:\\own", "C:\\child", "C:\\shared", "C:\\inc"}));
  EXPECT_TRUE(grandchild.files.empty());
  EXPECT_TRUE(grandchild.children().empty());
  EXPECT_EQ(&grandchild.converter(), &converter);
}

TEST_F(ModelTest, DumpTreeShowsTheWholeTreeDepthFirst) {
  ProjectGroup& root = top;
  root.sourcePath = "C:\\p";
  root.files.push_back("C:\\p\\main.c");
  ProjectGroup& a = root.addChild("a");
  a.addDefine("X=1");
  a.addChild("a1").addInclude("C:\\i");
  root.addChild("b");
  EXPECT_EQ(dumpTree(root),
            "group top\n"
            "  sourcePath C:\\p\n"
            "  file C:\\p\\main.c\n"
            "  group a\n"
            "    sourcePath \n"
            "    define X=1\n"
            "    group a1\n"
            "      sourcePath \n"
            "      include C:\\i\n"
            "  group b\n"
            "    sourcePath \n");
}

TEST_F(ModelTest, AVeryDeepTreeIsDestroyedWithoutExhaustingTheStack) {
  ProjectGroup* group = &top;
  for (int depth = 0; depth < 200000; ++depth) group = &group->addChild("g");
  SUCCEED();  // the fixture's destruction is the test
}

// Paths of every length, a NUL byte and one larger than any block keep their bytes and order
// across the blocks the list packs them into.
TEST(FileList, KeepsEveryPathWholeAndInOrder) {
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < 20000; ++i) expected.push_back(std::string(i % 300, static_cast<char>('a' + i % 26)));
  expected.push_back(std::string("a\0b.c", 5));
  expected.push_back(std::string(3u << 20, 'x'));
  expected.push_back("last.c");
  FileList files;
  for (const std::string& path : expected) files.push_back(path);
  EXPECT_TRUE(files == expected);
  EXPECT_EQ(files.size(), expected.size());
  EXPECT_EQ(files[20000], expected[20000]);
  EXPECT_EQ(files[files.size() - 1], "last.c");
  files = fileListOf({"one.c", ""});
  EXPECT_TRUE(files == (std::vector<std::string>{"one.c", ""}));
}

}  // namespace
}  // namespace kalvex
