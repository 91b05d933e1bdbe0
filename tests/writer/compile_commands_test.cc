#include "writer/compile_commands.h"

#include <gtest/gtest.h>

#include "writer_fixture.h"

namespace kalvex {
namespace {

TEST(CompilerFor, CppExtensionsInAnyCaseGoToTheCppCompiler) {
  for (const char* file : {"C:\\a\\x.cpp", "x.CC", "x.cxx", "x.Cp", "x.c++"})
    EXPECT_EQ(compilerFor(file), "c++") << file;
  for (const char* file : {"C:\\a\\x.c", "x.C", "x.s", "x.h", "C:\\a.cpp\\x", "x"})
    EXPECT_EQ(compilerFor(file), "cc") << file;
}

// Marks every text that went through the spelling, and hides a source file's extension from
// a compiler choice made on the spelled text.
std::string spelled(const std::string& path) { return "<" + path + ">"; }

class CompileCommandsTest : public WriterTest {};

TEST_F(CompileCommandsTest, AGroupsFilesShareItsOptionsAndOnlyPathsAreSpelled) {
  root.sourcePath = "C:\\src";
  root.files = fileListOf({"C:\\src\\a.cpp", "", "C:\\src\\b.c"});
  root.addInclude("C:\\src\\inc");
  root.addDefine("Z=1");
  root.addDefine("A");
  const std::vector<std::string> options = {"-I", "<C:\\ghs>", "-I", "<C:\\src\\inc>", "-D", "A", "-D", "Z=1", "-c"};
  const auto withFile = [&options](const char* compiler, const std::string& file) {
    std::vector<std::string> arguments{compiler};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(file);
    return arguments;
  };

  std::vector<CompileCommand> commands{{"earlier", "", {}}};
  groupCommands(root, {"C:\\ghs"}, spelled,
                [&commands](const CompileCommand& command) { commands.push_back(command); });

  ASSERT_EQ(commands.size(), 3u) << "an empty file entry gives no command";
  EXPECT_EQ(commands[0].directory, "earlier");
  EXPECT_EQ(commands[1].directory, "<C:\\src>");
  EXPECT_EQ(commands[1].file, "<C:\\src\\a.cpp>");
  EXPECT_EQ(commands[1].arguments, withFile("c++", "<C:\\src\\a.cpp>"));
  EXPECT_EQ(commands[2].directory, "<C:\\src>");
  EXPECT_EQ(commands[2].file, "<C:\\src\\b.c>");
  EXPECT_EQ(commands[2].arguments, withFile("cc", "<C:\\src\\b.c>"));
}

TEST_F(CompileCommandsTest, TheTreeGivesItsGroupsCommandsDepthFirstInListOrder) {
  root.files = fileListOf({"root.c"});
  ProjectGroup& a = root.addChild("a");
  a.files = fileListOf({"a.c"});
  ProjectGroup& b = a.addChild("b");
  b.addChild("c").files = fileListOf({"c.c"});
  b.files = fileListOf({"b1.c", "b2.c"});
  root.addChild("d").files = fileListOf({"d.c"});

  std::vector<std::string> files;
  walkCompileCommands(root, {}, spelled, [&files](const CompileCommand& command) { files.push_back(command.file); });

  EXPECT_EQ(files, (std::vector<std::string>{"<root.c>", "<a.c>", "<b1.c>", "<b2.c>", "<c.c>", "<d.c>"}));
}

}  // namespace
}  // namespace kalvex
