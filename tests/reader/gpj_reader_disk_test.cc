#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "errors.h"
#include "host/host.h"
#include "project_converter.h"
#include "reader_fixture.h"
#include "support/run_program.h"

namespace kalvex {
namespace {

using testing::gpjFile;

// The reader on the operating system's host against a temporary folder. Paths handed to Kalvex are
// backslash paths: the POSIX path with every "/" as "\".
class DiskReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kalvex_reader_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
  }
  void TearDown() override {
    model.reset();
    converter.reset();
    std::filesystem::remove_all(root);
  }
  void write(const std::string& relative, const std::string& content) {
    const std::filesystem::path path = root + "/" + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  // The backslash path of a path relative to the temporary folder.
  std::string sys(const std::string& relative = "") const {
    std::string path = root + (relative.empty() ? "" : "/" + relative);
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
  }
  void readProject(const std::string& top) {
    model.reset();
    converter = std::make_unique<ProjectConverter>(sys(top), sys("out"), *host, log);
    model = std::make_unique<testing::ReadModel>(*converter, sys(top));
    model->link(*converter, sys(top));
    model->reader.open(sys(top));
    model->reader.parse();
  }
  std::string failingRead(int code, const std::string& top) {
    try {
      readProject(top);
    } catch (const AsciiReaderError& error) {
      EXPECT_EQ(error.code, code);
      return model->reader.currentPath();
    }
    ADD_FAILURE() << "the reader did not fail";
    return std::string();
  }

  std::string root;
  std::unique_ptr<Host> host = makeOperatingSystemHost();
  std::ostringstream log;
  std::unique_ptr<ProjectConverter> converter;
  std::unique_ptr<testing::ReadModel> model;
};

TEST_F(DiskReaderTest, WorkedExampleOnDisk) {
  write("w/top.gpj", "#\tcomment\n\t:sourceDir=src\r\n\t-Iinc\n\t-DDEBUG\r\nlib\\lib.gpj\nmain.c\nreadme.txt");
  write("w/src/main.c", "");
  write("w/lib/lib.gpj", "util.c\r\n-I.\r\n");
  readProject("w/top.gpj");
  const std::string w = sys("w");
  EXPECT_EQ(dumpTree(model->root),
            "group top\n"
            "  sourcePath " +
                w +
                "\n"
                "  file " +
                w +
                "\\src\\main.c\n"
                "  include " +
                w +
                "\\inc\n"
                "  define DEBUG=\n"
                "  group lib\n"
                "    sourcePath " +
                w +
                "\\lib\n"
                "    file " +
                w +
                "\\lib\\util.c\n"
                "    include " +
                w +
                "\\lib\n"
                "    include " +
                w +
                "\\inc\n"
                "    define DEBUG=\n");
}

TEST_F(DiskReaderTest, FoldersAreNoProjectOrSourceFiles) {
  write("w/top.gpj", gpjFile({":sourceDir=src", "-Iinc", "a.c", "lib.gpj"}));
  std::filesystem::create_directories(root + "/w/a.c");
  write("w/src/a.c", "");
  std::filesystem::create_directories(root + "/w/lib.gpj");
  write("w/inc/lib.gpj", gpjFile({"missing.gpj"}));
  std::filesystem::create_directories(root + "/w/inc/missing.gpj");
  EXPECT_EQ(failingRead(AsciiReaderError::kCannotOpen, "w/top.gpj"), sys("w/inc/missing.gpj"));
  const ProjectGroup& top = model->root;
  EXPECT_EQ(top.files, (std::vector<std::string>{sys("w/src/a.c")}));
  ASSERT_EQ(top.children().size(), 1u);
  EXPECT_EQ(top.children()[0]->sourcePath, sys("w/inc"));
}

TEST_F(DiskReaderTest, LoopsAreFoundThroughLinksAndDotDot) {
  write("w/top.gpj", gpjFile({"a\\a.gpj"}));
  write("w/a/a.gpj", gpjFile({"..\\alias.gpj"}));
  std::filesystem::create_symlink(root + "/w/top.gpj", root + "/w/alias.gpj");
  EXPECT_EQ(failingRead(AsciiReaderError::kSubProjectLoop, "w/top.gpj"), sys("w/a/..\\alias.gpj"));

  write("w/top.gpj", gpjFile({"a\\a.gpj", "a\\a.gpj"}));
  write("w/a/a.gpj", gpjFile({"..\\a\\.\\b.gpj"}));
  write("w/a/b.gpj", gpjFile({"..\\..\\w\\a\\a.gpj"}));
  EXPECT_EQ(failingRead(AsciiReaderError::kSubProjectLoop, "w/top.gpj"), sys("w/a/..\\a\\.\\..\\..\\w\\a\\a.gpj"));
}

TEST_F(DiskReaderTest, ADeepChainOfFilesOnDisk) {
  const int depth = 3000;
  for (int i = 0; i < depth; ++i) {
    write("w/n" + std::to_string(i) + ".gpj", i + 1 < depth ? "n" + std::to_string(i + 1) + ".gpj\n" : "");
  }
  readProject("w/n0.gpj");
  const ProjectGroup* group = &model->root;
  int levels = 1;
  for (; !group->children().empty(); ++levels) group = group->children()[0].get();
  EXPECT_EQ(levels, depth);
  EXPECT_EQ(model->reader.currentPath(), sys("w/n" + std::to_string(depth - 1) + ".gpj"));
}

// Reader failures through the built program: one message line, exit status 1, and an
// untouched destination.
TEST_F(DiskReaderTest, KalvexReportsReaderFailuresAndWritesNothing) {
  write("cfg/empty.p_c", "");
  std::filesystem::create_directories(root + "/out");
  const auto run = [this](const std::string& top) {
    return testing::runProgram({KALVEX_BINARY, root + "/" + top, root + "/out", "-cp", root + "/cfg/empty.p_c"});
  };

  write("loop/top.gpj", gpjFile({"a\\a.gpj"}));
  write("loop/a/a.gpj", gpjFile({"..\\top.gpj"}));
  testing::ProgramResult result = run("loop/top.gpj");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.standardOutput, "Sub-project loop: " + sys("loop/a/..\\top.gpj") + "\n");

  write("missing/top.gpj", gpjFile({":sourceDir=src", "lib\\lib.gpj"}));
  result = run("missing/top.gpj");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.standardOutput, "Could not open file: " + sys("missing/lib/lib.gpj") + "\n");

  EXPECT_TRUE(std::filesystem::is_empty(root + "/out"));
}

}  // namespace
}  // namespace kalvex
