#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "entry.h"
#include "host/host.h"
#include "support/run_program.h"

namespace kalvex {
namespace {

using testing::processDirectory;

std::string uniqueName() { return "kalvex-host-" + std::to_string(GetCurrentProcessId()); }

// A drive letter that names no drive, or 0.
char unusedDrive() {
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Q'; letter <= 'Y'; ++letter) {
    if ((drives & (1u << (letter - 'A'))) == 0) return letter;
  }
  return 0;
}

// The Windows host against a scratch folder in the current directory (Z:\... under Wine).
class OperatingSystemHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = processDirectory() + "\\" + uniqueName();
    std::filesystem::remove_all(root);
    ASSERT_TRUE(std::filesystem::create_directory(root));
  }
  void TearDown() override {
    SetCurrentDirectoryA(start.c_str());
    std::filesystem::remove_all(root);
  }
  std::unique_ptr<Host> host = makeOperatingSystemHost();
  const std::string start = processDirectory();
  std::string root;
};

// rename() refuses an existing target on Windows; the host replaces it.
TEST_F(OperatingSystemHostTest, ReplacesAnExistingFileAndRemovesFiles) {
  for (const char* name : {"\\a", "\\b"}) {
    auto out = host->openWrite(root + name);
    ASSERT_NE(out, nullptr);
    out->stream() << name;
    ASSERT_TRUE(out->close());
  }
  ASSERT_TRUE(host->makeDirectory(root + "\\d"));
  EXPECT_FALSE(host->replaceFile(root + "\\a", root + "\\d"));
  EXPECT_TRUE(host->replaceFile(root + "\\a", root + "\\b"));
  EXPECT_FALSE(host->exists(root + "\\a"));
  auto in = host->openRead(root + "\\b");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()), "\\a");
  in.reset();
  EXPECT_FALSE(host->removeFile(root + "\\d"));
  EXPECT_TRUE(host->removeFile(root + "\\b"));
  EXPECT_FALSE(host->exists(root + "\\b"));
  EXPECT_EQ(host->toHostPath(root + "\\x"), root + "\\x");
}

TEST_F(OperatingSystemHostTest, PassesBackslashPathsUnchanged) {
  ASSERT_TRUE(host->makeDirectory(root + "\\sub\\"));
  EXPECT_TRUE(host->exists(root + "\\sub"));
  EXPECT_TRUE(host->exists(root + "\\sub\\"));
  EXPECT_FALSE(host->makeDirectory(root + "\\sub"));
  auto out = host->openWrite(root + "\\sub\\f.txt");
  ASSERT_NE(out, nullptr);
  out->stream() << "a\nb\r\nc";
  EXPECT_TRUE(out->close());
  auto in = host->openRead(root + "\\\\sub\\.\\f.txt");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()), "a\nb\r\nc")
      << "no text-mode translation in either direction";
  const auto identity = host->identify(root + "\\sub\\f.txt");
  ASSERT_TRUE(identity.has_value());
  EXPECT_EQ(identity, host->identify(root + "\\sub\\..\\sub\\F.TXT")) << "names are case-blind on Windows";
  EXPECT_NE(identity, host->identify(root + "\\sub"));
  EXPECT_FALSE(host->identify(root + "\\missing").has_value());
}

TEST_F(OperatingSystemHostTest, AFolderIsNeverAnOpenableFile) {
  EXPECT_EQ(host->openRead(root), nullptr);
  EXPECT_EQ(host->openRead(root + "\\"), nullptr);
  EXPECT_EQ(host->openWrite(root), nullptr);
  EXPECT_EQ(host->openRead(root + "\\missing"), nullptr);
  EXPECT_FALSE(host->exists(root + "\\missing"));
  EXPECT_FALSE(host->makeDirectory(root + "\\missing\\deeper"));
}

TEST_F(OperatingSystemHostTest, CommandLineWordsAndTheCurrentDirectoryAreNative) {
  EXPECT_EQ(host->fromCommandLine("w/a\\b"), "w/a\\b");
  EXPECT_EQ(host->currentDirectory(), start);
  ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
  EXPECT_EQ(host->currentDirectory(), root);
}

TEST_F(OperatingSystemHostTest, OnlyADriveLetterAndColonChangeTheDrive) {
  ASSERT_TRUE(host->makeDirectory(root + "\\ab"));
  ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
  EXPECT_FALSE(host->makeDriveCurrent("ab"));
  EXPECT_FALSE(host->makeDriveCurrent("\\t"));
  EXPECT_FALSE(host->makeDriveCurrent("1:"));
  const char unused = unusedDrive();
  ASSERT_NE(unused, 0);
  EXPECT_FALSE(host->makeDriveCurrent(std::string(1, unused) + ":"));
  EXPECT_EQ(processDirectory(), root);
  EXPECT_TRUE(host->makeDriveCurrent(root.substr(0, 2)));
  EXPECT_EQ(processDirectory(), root) << "the current drive keeps its directory";
}

// Drive D: has its own current directory (the Wine runner maps D: to a folder of the prefix).
class DriveRelativeTest : public OperatingSystemHostTest {
 protected:
  void SetUp() override {
    OperatingSystemHostTest::SetUp();
    if (GetDriveTypeA("D:\\") <= DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no drive D:";
    if (root.compare(0, 2, "D:") == 0) GTEST_SKIP() << "the tests run on drive D:";
    other = "D:\\" + uniqueName();
    std::filesystem::remove_all(other);
    ASSERT_TRUE(std::filesystem::create_directories(other + "\\b"));
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    // Nothing has recorded the directory of the current drive yet, as in a freshly started
    // program: restoring the drive must still come back to this folder.
    SetEnvironmentVariableA((std::string("=") + root.substr(0, 2)).c_str(), nullptr);
    SetEnvironmentVariableA("=D:", (other + "\\b").c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(start.c_str());
    SetEnvironmentVariableA("=D:", nullptr);
    if (!other.empty()) std::filesystem::remove_all(other);
    OperatingSystemHostTest::TearDown();
  }
  std::string other;
};

TEST_F(DriveRelativeTest, ResolvesAgainstTheDrivesOwnDirectoryAndComesBack) {
  EXPECT_EQ(makeAbsolutePath("D:x.gpj", *host), other + "\\b\\x.gpj");
  EXPECT_EQ(processDirectory(), root);
  EXPECT_EQ(makeAbsolutePath("d:sub\\x.gpj", *host), other + "\\b\\sub\\x.gpj");
  EXPECT_EQ(makeAbsolutePath("D:", *host), other + "\\b\\");
  EXPECT_EQ(makeAbsolutePath("x.gpj", *host), root + "\\x.gpj") << "later words use the same directory";
  EXPECT_EQ(makeAbsolutePath(".", *host), root);
  EXPECT_EQ(makeAbsolutePath("\\proj\\x.gpj", *host), "\\proj\\x.gpj");
  EXPECT_EQ(makeAbsolutePath(root.substr(0, 2) + "y", *host), root + "\\y");
  EXPECT_EQ(processDirectory(), root);
}

TEST_F(DriveRelativeTest, ADriveAtItsRootGivesTwoBackslashes) {
  SetEnvironmentVariableA("=D:", nullptr);
  EXPECT_EQ(makeAbsolutePath("D:x.gpj", *host), "D:\\\\x.gpj");
  EXPECT_EQ(processDirectory(), root);
}

TEST_F(DriveRelativeTest, AMissingDriveFallsBackToTheCurrentDirectory) {
  const char unused = unusedDrive();
  ASSERT_NE(unused, 0);
  EXPECT_EQ(makeAbsolutePath(std::string(1, unused) + ":x", *host), root + "\\x");
  EXPECT_EQ(processDirectory(), root);
}

TEST_F(DriveRelativeTest, TheCurrentDirectoryMayLieOnTheOtherDrive) {
  ASSERT_TRUE(SetCurrentDirectoryA((other + "\\b").c_str()));
  SetEnvironmentVariableA((std::string("=") + root.substr(0, 2)).c_str(), root.c_str());
  EXPECT_EQ(makeAbsolutePath(root.substr(0, 2) + "x", *host), root + "\\x");
  EXPECT_EQ(processDirectory(), other + "\\b");
}

}  // namespace
}  // namespace kalvex
