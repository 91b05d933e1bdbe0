// The destination's lock the Windows way: a handle on kalvex.lock that shares nothing refuses a
// second run at once, and the destination keeps what it held.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "e2e_case.h"

namespace kalvex::e2e {
namespace {

TEST(DestinationLock, ARunRefusesADestinationAnotherHolds) {
  std::unique_ptr<Launcher> launcher = makeLocalLauncher();
  const std::string root = launcher->backslashRoot();
  Step first;
  first.folders = {R"({root}\out)"};
  first.files = {{R"({root}\w\x.gpj)", "main.c\n"}, {R"({root}\cfg\ghs.p_c)", ""}};
  first.words = {R"({root}\w\x.gpj)", R"({root}\out)", "-cp", R"({root}\cfg\ghs.p_c)"};
  first.output = lf(
      {"Creating Zintra/Zintra++ Project ...", "  Creating Group - x", "Zintra/Zintra++ Project Completed!"});
  runCase({"Free", {first}}, *launcher);

  const std::string lock = launcher->toHostPath(root + R"(\out\kalvex.lock)");
  HANDLE held = CreateFileA(lock.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Step second = first;
  second.output = lf({R"(Destination in use: {root}\out)"});
  second.exitStatus = 1;
  std::vector<std::string> words;
  for (const std::string& word : second.words) words.push_back(withRoot(word, root));
  const std::string before = testing::readFileBytes(launcher->toHostPath(root + R"(\out\x.prj)"));
  std::ofstream(launcher->toHostPath(root + R"(\w\x.gpj)"), std::ios::binary) << "main.c\nother.c\n";
  const testing::ProgramResult result = launcher->run(words, root);
  CloseHandle(held);
  EXPECT_EQ(result.standardOutput, withRoot(second.output, root));
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(testing::readFileBytes(launcher->toHostPath(root + R"(\out\x.prj)")), before);
}

}  // namespace
}  // namespace kalvex::e2e
