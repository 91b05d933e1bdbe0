#include "support/virtual_host.h"

#include <gtest/gtest.h>

#include <iterator>

namespace kalvex {
namespace {

std::string readAll(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(VirtualHost, ResolvesPathsLikeADesktop) {
  VirtualHost host;
  host.addDrive('D', "D:\\b");
  host.setCurrentDirectory("C:\\a");
  EXPECT_EQ(host.key("x"), "C:\\a\\x");
  EXPECT_EQ(host.key("..\\x\\.\\y\\\\z"), "C:\\x\\y\\z");
  EXPECT_EQ(host.key("\\r"), "C:\\r");
  EXPECT_EQ(host.key("D:x"), "D:\\b\\x");
  EXPECT_EQ(host.key("D:\\"), "D:\\");
  EXPECT_EQ(host.key("C:\\..\\.."), "C:\\");
}

TEST(VirtualHost, FilesFoldersAndFailures) {
  VirtualHost host;
  host.addFile("C:\\p\\a.gpj", "line\r\n");
  EXPECT_TRUE(host.isDirectory("C:\\p"));
  EXPECT_TRUE(host.exists("C:\\p\\"));
  auto in = host.openRead("C:\\p\\.\\a.gpj");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(readAll(*in), "line\r\n");
  EXPECT_EQ(host.openRead("C:\\p"), nullptr) << "a folder is not a file";
  EXPECT_EQ(host.openRead("C:\\p\\b.gpj"), nullptr);

  EXPECT_FALSE(host.makeDirectory("C:\\x\\y")) << "only one level at a time";
  EXPECT_TRUE(host.makeDirectory("C:\\x\\"));
  EXPECT_FALSE(host.makeDirectory("C:\\x")) << "it exists already";
  host.refuseDirectory("C:\\x\\no");
  EXPECT_FALSE(host.makeDirectory("C:\\x\\no"));
  EXPECT_EQ(host.directoriesMade(), (std::vector<std::string>{"C:\\x\\"}));

  auto out = host.openWrite("C:\\x\\f.txt");
  ASSERT_NE(out, nullptr);
  out->stream() << "abc";
  EXPECT_EQ(host.fileContent("C:\\x\\f.txt"), "abc") << "written bytes land at once";
  EXPECT_TRUE(out->close());
  EXPECT_EQ(host.openWrite("C:\\missing\\f.txt"), nullptr);
  EXPECT_EQ(host.openWrite("C:\\x"), nullptr);

  host.failWritesTo("C:\\x\\full.txt");
  auto full = host.openWrite("C:\\x\\full.txt");
  ASSERT_NE(full, nullptr);
  full->stream() << "abc" << std::flush;
  EXPECT_FALSE(full->close());
}

TEST(VirtualHost, ReplacesAndRemovesFiles) {
  VirtualHost host;
  host.addFile("C:\\p\\a", "new");
  host.addFile("C:\\p\\b", "old");
  host.addDirectory("C:\\p\\d");
  const auto identity = host.identify("C:\\p\\a");
  EXPECT_FALSE(host.replaceFile("C:\\p\\a", "C:\\p\\d"));
  EXPECT_FALSE(host.replaceFile("C:\\p\\a", "C:\\none\\b"));
  host.refuseReplace("C:\\p\\c");
  EXPECT_FALSE(host.replaceFile("C:\\p\\a", "C:\\p\\c"));
  EXPECT_TRUE(host.replaceFile("C:\\p\\a", "C:\\p\\b"));
  EXPECT_EQ(host.fileContent("C:\\p\\b"), "new");
  EXPECT_EQ(host.identify("C:\\p\\b"), identity) << "the file itself moved";
  EXPECT_FALSE(host.exists("C:\\p\\a"));
  EXPECT_FALSE(host.removeFile("C:\\p\\a"));
  EXPECT_FALSE(host.removeFile("C:\\p\\d"));
  EXPECT_TRUE(host.removeFile("C:\\p\\b"));
  EXPECT_FALSE(host.exists("C:\\p\\b"));
  EXPECT_EQ(host.toHostPath("C:\\p\\b"), "C:\\p\\b");
}

TEST(VirtualHost, IdentityIgnoresSpelling) {
  VirtualHost host;
  host.setCurrentDirectory("C:\\p");
  host.addFile("C:\\p\\a.gpj", "");
  host.addFile("C:\\p\\b.gpj", "");
  EXPECT_EQ(host.identify("a.gpj"), host.identify("C:\\p\\sub\\..\\a.gpj"));
  EXPECT_NE(host.identify("a.gpj"), host.identify("b.gpj"));
  EXPECT_FALSE(host.identify("c.gpj").has_value());
}

TEST(VirtualHost, DrivesCanBeRefused) {
  VirtualHost host;
  host.addDrive('D', "D:\\d");
  host.addDrive('Q', "Q:\\q");
  host.refuseDrive('Q');
  EXPECT_TRUE(host.makeDriveCurrent("D:"));
  EXPECT_EQ(host.currentDirectory(), "D:\\d");
  EXPECT_FALSE(host.makeDriveCurrent("Q:"));
  EXPECT_FALSE(host.makeDriveCurrent("Z:"));
  EXPECT_FALSE(host.makeDriveCurrent("\\p"));
  EXPECT_EQ(host.currentDirectory(), "D:\\d");
}

TEST(VirtualHost, IgnoresLetterCaseWhenAsked) {
  VirtualHost host;
  host.addFile("C:\\Proj\\Src\\Main.c", "m");
  EXPECT_FALSE(host.findFile("C:\\proj\\src\\main.c").has_value()) << "names compare exactly at first";
  host.setLetterCase(VirtualHost::LetterCase::kIgnored);
  EXPECT_EQ(host.findFile("C:\\PROJ\\src\\main.C"), "C:\\Proj\\Src\\Main.c");
  EXPECT_EQ(host.findFile("C:\\Proj\\Src\\Main.c"), "C:\\Proj\\Src\\Main.c");
  EXPECT_FALSE(host.findFile("C:\\proj\\src\\other.c").has_value());
  EXPECT_TRUE(host.isDirectory("C:\\proj\\SRC"));
  ASSERT_NE(host.openWrite("C:\\proj\\src\\new.c"), nullptr) << "a new file goes into the folder as spelled";
  EXPECT_EQ(host.fileContent("C:\\Proj\\Src\\new.c"), "");
}

TEST(VirtualHost, HoldsOnlyTheEnvironmentATestSets) {
  VirtualHost host;
  EXPECT_EQ(host.environmentVariable("PATH"), std::nullopt);
  host.setEnvironment({{"SDK", "C:\\sdk"}});
  EXPECT_EQ(host.environmentVariable("SDK"), "C:\\sdk");
  EXPECT_EQ(host.environmentVariable("sdk"), std::nullopt);
}

}  // namespace
}  // namespace kalvex
