// A whole run on the in-memory desktop: each step of putting the outputs in place fails on
// demand, and the destination is as it was after each failure.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "entry.h"
#include "support/virtual_host.h"

namespace kalvex {
namespace {

const std::string kPrj = "C:\\out\\top.prj";
const std::string kMessages = "C:\\out\\person\\top.p_s";
const std::string kReport = "C:\\out\\r.txt";

class StagedRunTest : public ::testing::Test {
 protected:
  StagedRunTest() {
    host.addFile("C:\\w\\top.gpj", "main.c\n");
    host.addFile("C:\\w\\main.c", "");
    host.addFile("C:\\cfg\\ghs.p_c", "");
    host.addDirectory("C:\\out");
  }
  int run(std::vector<std::string> extra = {}) {
    std::vector<std::string> words{"Kalvex", "C:\\w\\top.gpj", "C:\\out", "-cp", "C:\\cfg\\ghs.p_c"};
    words.insert(words.end(), extra.begin(), extra.end());
    out.str("");
    return runKalvex(words, host, out);
  }
  // Every file below C:\out as it stands, from a run of the given project text.
  void convertOnce() {
    ASSERT_EQ(run(), 0) << out.str();
    before = {host.fileContent(kPrj), host.fileContent(kMessages)};
    host.addFile("C:\\w\\top.gpj", "main.c\nother.c\n");
  }
  void expectAsBefore() {
    EXPECT_EQ(host.fileContent(kPrj), before[0]);
    EXPECT_EQ(host.fileContent(kMessages), before[1]);
    for (const std::string& path : {kPrj, kMessages, kReport}) {
      EXPECT_FALSE(host.exists(VirtualHost::staged(path))) << path;
      EXPECT_FALSE(host.exists(VirtualHost::staged(path) + "-kept")) << path;
    }
    EXPECT_FALSE(host.exists("C:\\out\\kalvex.lock"));
    EXPECT_EQ(host.heldLock(), "");
    EXPECT_EQ(host.removedOnInterrupt(), std::vector<std::string>());
    EXPECT_FALSE(host.interruptsHeld());
  }

  VirtualHost host;
  std::ostringstream out;
  std::vector<std::optional<std::string>> before;
};

TEST_F(StagedRunTest, ASuccessfulRunLeavesOnlyItsOutputs) {
  ASSERT_EQ(run({"-report", kReport}), 0);
  EXPECT_EQ(host.fileContent(kReport), "0 errors, 0 warnings, 0 notes\n");
  EXPECT_NE(host.fileContent(kPrj).value_or("").find("C:\\w\\main.c\r\n"), std::string::npos);
  before = {host.fileContent(kPrj), host.fileContent(kMessages)};
  expectAsBefore();
}

// The moves fail on the project file, on a later file (what was moved is put back), and on a
// later file after a project file that could not be linked, so was moved aside and comes back.
class FailedMoveTest : public StagedRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailedMoveTest, PutsBackTheDestination) {
  const int fault = GetParam();
  convertOnce();
  host.refuseReplace(fault == 0 ? kPrj : kMessages);
  if (fault == 2) host.refuseLink(kPrj);
  EXPECT_EQ(run({"-report", kReport}), 1);
  const std::string failed = fault == 0 ? kPrj : kMessages;
  EXPECT_NE(out.str().find("Could not write file: " + failed + "\n"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find("Completed"), std::string::npos);
  expectAsBefore();
  const std::string report = host.fileContent(kReport).value_or("");
  EXPECT_NE(report.find(failed + ":1:1: error: Could not write file: " + failed + " [write-failed]\n1 errors, "),
            std::string::npos)
      << report;
}

INSTANTIATE_TEST_SUITE_P(Moves, FailedMoveTest, ::testing::Values(0, 1, 2));

TEST_F(StagedRunTest, TheLockRefusesASecondRunAndIsOptionalWhereItCannotBeMade) {
  convertOnce();
  host.holdLockElsewhere("C:\\out\\kalvex.lock");
  EXPECT_EQ(run({"-report", kReport}), 1);
  EXPECT_EQ(out.str(), "Destination in use: C:\\out\n");
  EXPECT_TRUE(host.readsOpened().empty() || host.readsOpened().back() != "C:\\w\\top.gpj");
  EXPECT_FALSE(host.exists(kReport));
  expectAsBefore();

  VirtualHost other;
  other.addFile("C:\\w\\top.gpj", "main.c\n");
  other.addFile("C:\\cfg\\ghs.p_c", "");
  other.addDirectory("C:\\out");
  other.refuseLock("C:\\out\\kalvex.lock");
  std::ostringstream log;
  EXPECT_EQ(runKalvex({"Kalvex", "C:\\w\\top.gpj", "C:\\out", "-cp", "C:\\cfg\\ghs.p_c"}, other, log), 0);
  EXPECT_TRUE(other.fileContent(kPrj).has_value());
}

TEST_F(StagedRunTest, RunningOutOfMemoryLeavesTheDestination) {
  convertOnce();
  host.addFile("C:\\w\\sub.gpj", "x.c\n");
  host.addFile("C:\\w\\top.gpj", "main.c\nsub.gpj\n");
  host.exhaustMemoryAt("C:\\w\\sub.gpj");
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(out.str(), "Out of memory\n");
  expectAsBefore();
}

// A template that is also an output gives every group its old text; inputs are never replaced.
TEST_F(StagedRunTest, TemplatesAreReadBeforeAnythingIsWrittenAndInputsAreNotReplaced) {
  host.addFile("C:\\out\\person\\top.p_a", "old\n");
  host.addFile("C:\\w\\top.gpj", "main.c\nsub.gpj\n");
  host.addFile("C:\\w\\sub.gpj", "-DS\ns.c\n");
  ASSERT_EQ(run({"-ap", "C:\\out\\person\\top.p_a"}), 0) << out.str();
  EXPECT_EQ(host.fileContent("C:\\out\\top\\sub\\person\\sub.p_a"), "-d \"S\"\r\nold\r\n");
  EXPECT_EQ(host.fileContent("C:\\out\\person\\top.p_a"), "old\n") << "it stood there: kept";

  before = {host.fileContent(kPrj), host.fileContent(kMessages)};
  for (const std::string input : {"C:\\w\\sub.gpj", "C:\\cfg\\ghs.p_c"}) {
    const std::string text = host.fileContent(input).value_or("");
    EXPECT_EQ(run({"-report", input}), 1) << input;
    EXPECT_EQ(out.str().substr(out.str().rfind("Could not")), "Could not write file: " + input + "\n");
    EXPECT_EQ(host.fileContent(input), text);
    expectAsBefore();
  }
}

}  // namespace
}  // namespace kalvex
