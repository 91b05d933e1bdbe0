#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "host/host.h"

namespace kalvex {
namespace {

// The POSIX host against a temporary folder. Paths handed to it are backslash paths.
class OperatingSystemHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kalvex_host_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    backslashRoot = toBackslashPath(root);
  }
  void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
  static std::string toBackslashPath(std::string path) {
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
  }
  std::unique_ptr<Host> host = makeOperatingSystemHost();
  std::string root, backslashRoot;
};

TEST_F(OperatingSystemHostTest, MapsBackslashesOntoThePosixTree) {
  ASSERT_TRUE(host->makeDirectory(backslashRoot + "\\sub\\"));
  EXPECT_TRUE(host->exists(backslashRoot + "\\sub"));
  EXPECT_FALSE(host->makeDirectory(backslashRoot + "\\sub"));
  auto out = host->openWrite(backslashRoot + "\\sub\\f.txt");
  ASSERT_NE(out, nullptr);
  out->stream() << "a\r\nb";
  EXPECT_TRUE(out->close());
  auto in = host->openRead(backslashRoot + "\\\\sub\\.\\f.txt");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()), "a\r\nb");
  EXPECT_EQ(host->identify(backslashRoot + "\\sub\\f.txt"), host->identify(backslashRoot + "\\sub\\..\\sub\\f.txt"));
}

TEST_F(OperatingSystemHostTest, AFolderIsNeverAnOpenableFile) {
  EXPECT_EQ(host->openRead(backslashRoot), nullptr);
  EXPECT_EQ(host->openWrite(backslashRoot), nullptr);
  EXPECT_EQ(host->openRead(backslashRoot + "\\missing"), nullptr);
}

// Absent answers may come from a listing, but never one made before the run created
// something: files and folders the writer makes are found by later reads.
TEST_F(OperatingSystemHostTest, ReadsSeeWhatTheHostCreated) {
  ASSERT_TRUE(host->makeDirectory(backslashRoot + "\\d"));
  EXPECT_EQ(host->openRead(backslashRoot + "\\d\\new.p_a"), nullptr);
  EXPECT_EQ(host->openRead(backslashRoot + "\\d\\sub\\x.p_a"), nullptr);
  ASSERT_NE(host->openWrite(backslashRoot + "\\d\\new.p_a"), nullptr);
  EXPECT_NE(host->openRead(backslashRoot + "\\d\\new.p_a"), nullptr);
  ASSERT_TRUE(host->makeDirectory(backslashRoot + "\\d\\sub"));
  ASSERT_NE(host->openWrite(backslashRoot + "\\d\\sub\\x.p_a"), nullptr);
  EXPECT_NE(host->openRead(backslashRoot + "\\d\\sub\\x.p_a"), nullptr);
  EXPECT_NE(host->openRead(backslashRoot + "\\d\\.\\sub\\x.p_a"), nullptr);
}

TEST_F(OperatingSystemHostTest, APathWithANulByteNamesNoFile) {
  ASSERT_TRUE(host->makeDirectory(backslashRoot + "\\d"));
  const std::string cut = backslashRoot + "\\d" + std::string(1, '\0') + "x";
  EXPECT_FALSE(host->exists(cut));
  EXPECT_EQ(host->openRead(cut), nullptr);
  EXPECT_EQ(host->openWrite(backslashRoot + "\\f" + std::string(1, '\0') + "x"), nullptr);
  EXPECT_FALSE(host->makeDirectory(backslashRoot + "\\e" + std::string(1, '\0') + "x"));
  EXPECT_FALSE(host->identify(cut).has_value());
  EXPECT_FALSE(host->exists(backslashRoot + "\\f")) << "nothing was created under the cut name";
  EXPECT_FALSE(host->exists(backslashRoot + "\\e"));
}

TEST_F(OperatingSystemHostTest, AFullDiskFailsTheClose) {
  auto out = host->openWrite("\\dev\\full");
  ASSERT_NE(out, nullptr);
  out->stream() << "line\r\n";
  EXPECT_FALSE(out->close());
}

TEST_F(OperatingSystemHostTest, ReplacesAndRemovesFiles) {
  const std::string a = backslashRoot + "\\a", b = backslashRoot + "\\b";
  std::ofstream(root + "/a") << "new";
  std::ofstream(root + "/b") << "old";
  ASSERT_TRUE(host->makeDirectory(backslashRoot + "\\d"));
  EXPECT_FALSE(host->replaceFile(a, backslashRoot + "\\d")) << "a folder is not replaced";
  EXPECT_TRUE(host->replaceFile(a, b));
  EXPECT_FALSE(host->exists(a));
  std::ifstream in(root + "/b");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "new");
  EXPECT_FALSE(host->replaceFile(a, b)) << "nothing left to move";
  EXPECT_FALSE(host->removeFile(backslashRoot + "\\d")) << "a folder is not a file";
  EXPECT_TRUE(host->removeFile(b));
  EXPECT_FALSE(host->exists(b));
  EXPECT_FALSE(host->removeFile(b));
  EXPECT_EQ(host->toHostPath("\\tmp\\x y\\z.c"), "/tmp/x y/z.c");
}

TEST_F(OperatingSystemHostTest, CommandLineAndCurrentDirectoryUseBackslashes) {
  EXPECT_EQ(host->fromCommandLine("/tmp/w/top.gpj"), "\\tmp\\w\\top.gpj");
  EXPECT_EQ(host->fromCommandLine("w/a\\b"), "w\\a\\b");
  char buffer[4096];
  ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
  EXPECT_EQ(host->currentDirectory(), toBackslashPath(buffer));
  EXPECT_FALSE(host->makeDriveCurrent("D:"));
  EXPECT_FALSE(host->makeDriveCurrent("\\t"));
  EXPECT_EQ(host->currentDirectory(), toBackslashPath(buffer)) << "the process's directory never changes";
}

}  // namespace
}  // namespace kalvex
