// Runs of the built Kalvex with "-report", and the report texts they must leave: findings
// name their files as the host spells them, so the expected bytes are made per launcher.
#ifndef KALVEX_TESTS_E2E_REPORT_FIXTURE_H
#define KALVEX_TESTS_E2E_REPORT_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "e2e_case.h"

namespace kalvex::e2e {

inline const std::string kStart = "Creating Zintra/Zintra++ Project ...";
inline const std::string kDone = "Zintra/Zintra++ Project Completed!";
inline const std::string kReport = R"({root}\r.txt)";

// A finding's file below {root}\w, written with backslashes, and the rest of its line after
// the file and its colon. "{root}" in the rest is the root in backslash form.
using ExpectedFinding = std::pair<std::string, std::string>;

class ReportTest : public ::testing::Test {
 protected:
  // The report's bytes: one LF-ended line per finding, then the count line.
  std::string reportText(const std::vector<ExpectedFinding>& findings, const std::string& counts) const {
    std::string text;
    for (const auto& [file, rest] : findings) text += launcher->toHostPath(root + "\\w\\" + file) + ":" + rest + "\n";
    return text + counts + "\n";
  }

  // {root}\w\top.gpj with the given text and the files beside it, converted into {root}\out
  // with a report at kReport.
  static Step topStep(const std::string& projectText, std::vector<std::pair<std::string, std::string>> files = {}) {
    Step step;
    step.folders = {R"({root}\out)"};
    step.files = {{R"({root}\w\top.gpj)", projectText}, {R"({root}\cfg\ghs.p_c)", ""}};
    for (auto& [path, bytes] : files) step.files.push_back({R"({root}\w\)" + path, bytes});
    step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", R"({root}\cfg\ghs.p_c)", "-report", kReport};
    return step;
  }

  std::unique_ptr<Launcher> launcher = makeLocalLauncher();
  std::string root = launcher->backslashRoot();
};

}  // namespace kalvex::e2e

#endif
