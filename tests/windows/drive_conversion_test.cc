#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "e2e_case.h"

namespace kalvex::e2e {
namespace {

const std::string kStart = "Creating Zintra/Zintra++ Project ...";
const std::string kDone = "Zintra/Zintra++ Project Completed!";

// One group x with the file main.c, converted into {root}\out.
std::string singleGroupProject(const std::string& source, const std::string& subs, const std::string& comp,
                               const std::string& out) {
  return crlf({"VersionTag45", "StartProjectMarker", "FolderName=x", "SourcePath=" + source,
               "OutputPath=" + out + "\\x\\output\\", "SubsPers=" + subs, "AnalPers=" + out + "\\person\\x.p_a",
               "CompPers=" + comp, source + "\\main.c", "EndContainedFilesMarker"});
}

class DriveConversion : public ::testing::Test {
 protected:
  void TearDown() override {
    SetEnvironmentVariableA("=D:", nullptr);
    std::error_code ignored;
    if (!otherDrive.empty()) std::filesystem::remove_all(otherDrive, ignored);
  }
  std::unique_ptr<Launcher> launcher = makeLocalLauncher();
  std::string otherDrive;
};

// D:x.gpj uses drive D's own directory; the words after it still resolve against the working
// directory, so the current drive and its directory are what they were before.
TEST_F(DriveConversion, DriveRelativeWordsLeaveTheCurrentDirectoryAsItWas) {
  if (GetDriveTypeA("D:\\") <= DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no drive D:";
  otherDrive = "D:\\kalvexe2e_" + std::to_string(GetCurrentProcessId());
  const std::string d = otherDrive + "\\b";
  SetEnvironmentVariableA("=D:", d.c_str());

  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {
      {d + "\\x.gpj", "main.c\r\n"}, {d + "\\main.c", ""}, {d + "\\msg.p_s", "m\r\n"}, {R"({root}\cfg\ghs.p_c)", ""}};
  step.words = {"D:x.gpj", "out", "-cp", R"(cfg\ghs.p_c)", "-mp", "D:msg.p_s"};
  step.output = lf({kStart, "  Creating Group - x", kDone});
  step.expectedFiles = {
      {R"({root}\out\x.prj)", singleGroupProject(d, d + "\\msg.p_s", R"({root}\cfg\ghs.p_c)", R"({root}\out)")},
      {R"({root}\out\person\x.p_a)", ""},
      {R"({root}\out\person\x.p_s)", std::nullopt}};
  step.expectedFolders = {R"({root}\out\x\output)", R"({root}\out\x\person)"};
  runCase({"DriveRelative", {step}}, *launcher);
}

// Paths from the root of the current drive keep their form, also in what Kalvex writes.
TEST_F(DriveConversion, PathsFromTheRootOfTheCurrentDriveStayWithoutADrive) {
  const std::string root = launcher->backslashRoot();
  ASSERT_EQ(root[1], ':');
  const std::string r = root.substr(2);
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\x.gpj)", "main.c\r\n"}, {R"({root}\w\main.c)", ""}, {R"({root}\cfg\ghs.p_c)", ""}};
  step.words = {r + "\\w\\x.gpj", r + "\\out", "-cp", r + "\\cfg\\ghs.p_c"};
  step.output = lf({kStart, "  Creating Group - x", kDone});
  step.expectedFiles = {{R"({root}\out\x.prj)",
                         singleGroupProject(r + "\\w", r + "\\out\\person\\x.p_s", r + "\\cfg\\ghs.p_c", r + "\\out")},
                        {R"({root}\out\person\x.p_s)", ""},
                        {R"({root}\out\person\x.p_a)", ""}};
  runCase({"RootOfTheDrive", {step}}, *launcher);
}

// JSON text of a Windows path: every backslash doubled.
std::string jsonPath(const std::string& path) {
  std::string text = "\"";
  for (char c : path) text += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return text + "\"";
}

// The compilation database keeps paths as Windows writes them, here from the root of the
// drive, and replaces an earlier database in place.
TEST_F(DriveConversion, CompileDatabaseOnWindowsPaths) {
  const std::string root = launcher->backslashRoot();
  const std::string r = root.substr(2);
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\x.gpj)", "main.cpp\r\n-Iinc\r\n"},
                {R"({root}\w\main.cpp)", ""},
                {R"({root}\cfg\ghs.p_c)", "-I C:\\ghs\r\n"},
                {R"({root}\cc.json)", "earlier"}};
  step.words = {r + "\\w\\x.gpj", r + "\\out", "-cp", r + "\\cfg\\ghs.p_c", "-cdb", r + "\\cc.json"};
  step.output = lf(
      {kStart, "  Creating Group - x", "  Creating Analyser Personality - " + r + "\\out\\x\\person\\x.p_a", kDone});
  const std::string file = jsonPath(r + "\\w\\main.cpp");
  step.expectedFiles = {{R"({root}\cc.json)", "[\n  {\n    \"directory\": " + jsonPath(r + "\\w") +
                                                  ",\n    \"file\": " + file +
                                                  ",\n    \"arguments\": [\"c++\", \"-I\", \"C:\\\\ghs\", \"-I\", " +
                                                  jsonPath(r + "\\w\\inc") + ", \"-c\", " + file + "]\n  }\n]\n"}};
  runCase({"CompileDatabase", {step}}, *launcher);
}

}  // namespace
}  // namespace kalvex::e2e
