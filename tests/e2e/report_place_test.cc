// Where the report goes and how it replaces an earlier one, through the built Kalvex.
#include <filesystem>
#include <string>
#include <vector>

#include "report_fixture.h"

namespace kalvex::e2e {

std::vector<Case> workingDirectoryCases();

namespace {

const std::string kMissing =
    R"(1:1: warning: source file 'main.c' not found; listed as {root}\w\main.c [source-not-found])";

// "-report" may stand anywhere after the two paths; the later one wins, made absolute against
// the working directory, and one without a value is ignored.
TEST_F(ReportTest, TheLaterReportWinsAndALastOneWithoutValueIsIgnored) {
  Step step = topStep("main.c\n");
  step.folders.push_back(R"({root}\rep)");
  step.words = {R"({root}\w\top.gpj)",
                R"({root}\out)",
                "-report",
                R"({root}\first.txt)",
                "-cp",
                R"({root}\cfg\ghs.p_c)",
                "-report",
                R"(rep\r.txt)",
                "-report"};
  step.output = lf({kStart, "  Creating Group - top", kDone});
  step.expectedFiles = {{R"({root}\rep\r.txt)", reportText({{"top.gpj", kMissing}}, "0 errors, 1 warnings, 0 notes")},
                        {R"({root}\first.txt)", std::nullopt}};
  runCase({"Place", {step}}, *launcher);
}

// A run replaces an earlier report, also when it fails; one whose report cannot be written
// keeps the earlier report and says so.
TEST_F(ReportTest, AnEarlierReportIsReplacedByEveryRunThatCanWriteOne) {
  Step succeeds = topStep("main.c\n");
  succeeds.files.push_back({kReport, "earlier\n"});
  succeeds.output = lf({kStart, "  Creating Group - top", kDone});
  succeeds.expectedFiles = {{kReport, reportText({{"top.gpj", kMissing}}, "0 errors, 1 warnings, 0 notes")}};

  Step fails = topStep("main.c\nnone.gpj\n");
  fails.output = lf({R"(Could not open file: {root}\w\none.gpj)"});
  fails.exitStatus = 1;
  fails.expectedFiles = {
      {kReport, reportText({{"top.gpj", kMissing},
                            {"top.gpj", R"(2:1: error: project file cannot be opened: {root}\w\none.gpj)"
                                        " [project-file-missing]"}},
                           "1 errors, 1 warnings, 0 notes")}};
  runCase({"Replaced", {succeeds, fails}}, *launcher);
}

// A report in a folder that does not exist, or with a folder in its place, ends the run before
// anything is read or written.
TEST_F(ReportTest, AReportPathThatCannotBeWrittenFailsTheRun) {
  Step missingFolder = topStep("main.c\n");
  missingFolder.words.back() = R"({root}\missing\r.txt)";
  missingFolder.output = lf({R"(Could not write file: {root}\missing\r.txt)"});
  missingFolder.exitStatus = 1;
  missingFolder.emptyFolders = {R"({root}\out)"};
  runCase({"InAMissingFolder", {missingFolder}}, *launcher);

  Step folder = topStep("main.c\n");
  folder.folders.push_back(R"({root}\rep)");
  folder.words.back() = R"({root}\rep)";
  folder.output = lf({R"(Could not write file: {root}\rep)"});
  folder.exitStatus = 1;
  folder.emptyFolders = {R"({root}\rep)", R"({root}\out)"};
  runCase({"AFolder", {folder}}, *launcher);
}

// The bundled example reads cleanly: with "-report" its output and files are those without.
TEST_F(ReportTest, TheBundledExampleKeepsItsOutputAndHasNothingToReport) {
  Step step = workingDirectoryCases().front().steps.front();
  step.words.insert(step.words.end(), {"-report", R"(out\sensor_node.report.txt)"});
  step.expectedFiles.push_back({R"({root}\out\sensor_node.report.txt)", "0 errors, 0 warnings, 0 notes\n"});
  runCase({"BundledExample", {step}}, *launcher);
}

// A report many times the size of the file's blocks holds every finding once, in order.
TEST_F(ReportTest, ALongReportKeepsEveryFindingInOrder) {
  constexpr int kFiles = 3000;
  std::string project;
  std::vector<ExpectedFinding> findings;
  for (int i = 1; i <= kFiles; ++i) {
    const std::string file = "source_file_with_a_long_name_" + std::to_string(i) + ".c";
    project += file + "\n";
    findings.push_back({"top.gpj", std::to_string(i) + ":1: warning: source file '" + file +
                                       "' not found; listed as {root}\\w\\" + file + " [source-not-found]"});
  }
  Step step = topStep(project);
  step.output = lf({kStart, "  Creating Group - top", kDone});
  step.expectedFiles = {{kReport, reportText(findings, "0 errors, " + std::to_string(kFiles) + " warnings, 0 notes")}};
  runCase({"Long", {step}}, *launcher);
}

// Together with the compilation database, each is written whole.
TEST_F(ReportTest, ReportAndDatabaseTogether) {
  Step step = topStep("main.c\n", {{"main.c", ""}});
  step.words.insert(step.words.end(), {"-cdb", R"({root}\cc.json)"});
  step.output = lf({kStart, "  Creating Group - top", kDone});
  step.expectedFiles = {{kReport, "0 errors, 0 warnings, 0 notes\n"}};
  runCase({"WithDatabase", {step}}, *launcher);
  EXPECT_TRUE(std::filesystem::is_regular_file(launcher->toHostPath(root + R"(\cc.json)")));
}

}  // namespace
}  // namespace kalvex::e2e
