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

// The group's options stay in place from one file to the next only while no file's own include
// directories stand between them and the compiler's.
TEST_F(CompileCommandsTest, AFilesOwnIncludesComeFirstAndTheNextFileHasTheGroupsAlone) {
  root.sourcePath = "C:\\src";
  root.files = fileListOf({"a.c", "b.c", "c.c", "d.c"});
  root.addInclude("C:\\src\\inc");
  root.addFileInclude(0, "C:\\src\\own");
  root.addFileDefine(0, "OWN");
  root.addFileDefine(1, "B");
  root.addFileInclude(2, "C:\\src\\inc");
  std::vector<std::vector<std::string>> arguments;
  groupCommands(root, {"C:\\ghs"}, spelled,
                [&arguments](const CompileCommand& command) { arguments.push_back(command.arguments); });

  using Arguments = std::vector<std::string>;
  const Arguments compiler{"cc", "-I", "<C:\\ghs>"};
  const Arguments group{"-I", "<C:\\src\\inc>"};
  const auto command = [&](const Arguments& own, const Arguments& after, const char* file) {
    Arguments all = compiler;
    all.insert(all.end(), own.begin(), own.end());
    all.insert(all.end(), group.begin(), group.end());
    all.insert(all.end(), after.begin(), after.end());
    all.insert(all.end(), {"-c", std::string("<") + file + ">"});
    return all;
  };
  ASSERT_EQ(arguments.size(), 4u);
  EXPECT_EQ(arguments[0], command({"-I", "<C:\\src\\own>"}, {"-D", "OWN"}, "a.c"));
  EXPECT_EQ(arguments[1], command({}, {"-D", "B"}, "b.c"));
  EXPECT_EQ(arguments[2], command({"-I", "<C:\\src\\inc>"}, {}, "c.c"));
  EXPECT_EQ(arguments[3], command({}, {}, "d.c"));
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
