#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "e2e_case.h"

namespace kalvex::e2e {
namespace {

std::string caseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

class Conversion : public ::testing::TestWithParam<Case> {};

TEST_P(Conversion, MatchesOutputStatusAndFilesExactly) {
  const std::unique_ptr<Launcher> launcher = makeLocalLauncher();
  runCase(GetParam(), *launcher);
}

INSTANTIATE_TEST_SUITE_P(Succeeds, Conversion, ::testing::ValuesIn(conversionCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Dialect, Conversion, ::testing::ValuesIn(dialectCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Fails, Conversion, ::testing::ValuesIn(failureCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Relative, Conversion, ::testing::ValuesIn(workingDirectoryCases()), caseName);

// A chain of thousands of nested sub-projects: the folder path outgrows what the host accepts
// long before the chain ends, and the run must end with that failure, not a crash.
TEST(DeepChain, EndsWithTheHostsPathLimitInsteadOfCrashing) {
  constexpr int kDepth = 3000;
  const std::unique_ptr<Launcher> launcher = makeLocalLauncher();
  const std::string root = launcher->backslashRoot();
  const std::filesystem::path work = launcher->toHostPath(root + "\\w");
  std::filesystem::create_directories(work);
  std::filesystem::create_directories(launcher->toHostPath(root + "\\out"));
  std::ofstream(work / "top.gpj", std::ios::binary) << "f.c\nlevel1.gpj\n";
  for (int i = 1; i <= kDepth; ++i) {
    std::ofstream level(work / ("level" + std::to_string(i) + ".gpj"), std::ios::binary);
    level << "f.c\n";
    if (i < kDepth) level << "level" << i + 1 << ".gpj\n";
  }
  const testing::ProgramResult result = launcher->run({root + "\\w\\top.gpj", root + "\\out", "-pn", "deep"}, root);
  EXPECT_EQ(result.exitStatus, 1);
  const std::string& out = result.standardOutput;
  ASSERT_FALSE(out.empty());
  const std::size_t lastLine = out.rfind('\n', out.size() - 2) + 1;
  EXPECT_EQ(out.compare(lastLine, 29, "Could not create directory: " + root.substr(0, 1)), 0) << out.substr(lastLine);
}

}  // namespace
}  // namespace kalvex::e2e
