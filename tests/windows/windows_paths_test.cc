#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace kalvex {
namespace {

using testing::scratchBase;

std::string scratchName() {
  static int counter = 0;
  return "kalvex-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

// Runs Kalvex.exe in a scratch folder (on Z: under Wine). Standard
// output is in text mode on Windows: every line Kalvex prints ends in CR LF.
class WindowsPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = scratchBase() + "\\" + scratchName();
    std::filesystem::remove_all(root);
    ASSERT_TRUE(std::filesystem::create_directory(root));
    writeFile(root + "\\c.p_c", "");
  }
  void TearDown() override {
    SetEnvironmentVariableA("=D:", nullptr);
    std::filesystem::remove_all(root);
    if (!otherDrive.empty()) std::filesystem::remove_all(otherDrive);
  }

  testing::ProgramResult run(std::vector<std::string> words, const std::string& directory) {
    words.insert(words.begin(), KALVEX_BINARY);
    return testing::runProgram(words, directory);
  }

  // Gives drive D: its own current directory D:\...\b for the programs started from now on.
  std::string useOtherDrive() {
    if (GetDriveTypeA("D:\\") <= DRIVE_NO_ROOT_DIR) return "";
    otherDrive = "D:\\" + scratchName();
    std::filesystem::create_directories(otherDrive + "\\b");
    SetEnvironmentVariableA("=D:", (otherDrive + "\\b").c_str());
    return otherDrive + "\\b";
  }

  std::string root, otherDrive;
};

std::string slashed(std::string path) {
  for (char& c : path) c = c == '\\' ? '/' : c;
  return path;
}

// Texts with "<root>" for the scratch folder, "<rootOnDrive>" for it without its drive,
// "<drive>" for its drive and "<slashedRoot>" for the folder written with "/".
std::string expand(std::string text, const std::string& root) {
  const std::pair<std::string, std::string> keys[] = {{"<rootOnDrive>", root.substr(2)},
                                                      {"<root>", root},
                                                      {"<drive>", root.substr(0, 2)},
                                                      {"<slashedRoot>", slashed(root)}};
  for (const auto& [key, value] : keys) {
    for (std::size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, key.size(), value);
  }
  return text;
}

// A missing top project file is reported with the path Kalvex made of word 1, on a line that
// ends in CR LF; "/" is a separator there, so "C:/x.gpj" is absolute.
TEST_F(WindowsPathsTest, WordOneIsResolvedAgainstTheCurrentDirectory) {
  const std::pair<const char*, const char*> cases[] = {
      {"x.gpj", "<root>\\x.gpj"},
      {"sub/../x.gpj", "<root>\\sub\\..\\x.gpj"},
      {"<slashedRoot>/x.gpj", "<root>\\x.gpj"},
      {"<root>\\x.gpj", "<root>\\x.gpj"},
      {"<rootOnDrive>\\x.gpj", "<rootOnDrive>\\x.gpj"},
      {"<drive>x.gpj", "<root>\\x.gpj"},
  };
  for (const auto& [word, resolved] : cases) {
    const auto result = run({expand(word, root), "out", "-cp", "c.p_c"}, root);
    EXPECT_EQ(result.standardOutput, "Could not open file: " + expand(resolved, root) + "\r\n") << word;
    EXPECT_EQ(result.exitStatus, 1) << word;
  }
}

TEST_F(WindowsPathsTest, ADriveRelativeWordUsesThatDrivesDirectory) {
  const std::string directory = useOtherDrive();
  if (directory.empty()) GTEST_SKIP() << "no drive D:";
  const auto result = run({"D:x.gpj", "out", "-cp", "c.p_c"}, root);
  EXPECT_EQ(result.standardOutput, "Could not open file: " + directory + "\\x.gpj\r\n");
  EXPECT_EQ(result.exitStatus, 1);
}

// Windows names are case-blind and a drive may be left out: file identity sees through both.
TEST_F(WindowsPathsTest, ASubProjectLoopIsFoundHoweverThePathIsSpelled) {
  std::filesystem::create_directories(root + "\\out");
  std::filesystem::create_directories(root + "\\loop\\a");
  writeFile(root + "\\loop\\top.gpj", "a\\a.gpj\r\n");
  writeFile(root + "\\loop\\a\\a.gpj", "..\\TOP.gpj\r\n");
  auto result = run({"loop\\top.gpj", "out", "-cp", "c.p_c"}, root);
  EXPECT_EQ(result.standardOutput, "Sub-project loop: " + root + "\\loop\\a\\..\\TOP.gpj\r\n");
  EXPECT_EQ(result.exitStatus, 1);

  writeFile(root + "\\loop\\a\\a.gpj", "\t:sourceDir=" + root + "\\loop\r\ntop.gpj\r\n");
  result = run({root.substr(2) + "\\loop\\top.gpj", "out", "-cp", "c.p_c"}, root);
  EXPECT_EQ(result.standardOutput, "Sub-project loop: " + root + "\\loop\\top.gpj\r\n");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(std::filesystem::is_empty(root + "\\out"));
}

}  // namespace
}  // namespace kalvex
