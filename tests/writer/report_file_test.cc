#include "writer/report_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/virtual_host.h"
#include "writer/staged_files.h"

namespace kalvex {
namespace {

// Lines far longer than the file's blocks, between short ones and repeated, come out whole,
// in order, each once.
TEST(ReportFileTest, LinesLongerThanABlockAreWrittenWholeAndInOrder) {
  VirtualHost host;
  const std::string longName(200000, 'n');
  const std::string path = "C:\\out\\top.report.txt";
  host.addDirectory("C:\\out");
  {
    StagedFiles files(host);
    ReportFile report(host, files, path);
    // The finding's message parts live only as long as the call that hands it over.
    const auto warningAt = [&report](std::size_t line, std::string_view name) {
      report.add(Finding{"C:\\p\\top.gpj", line, 1, Severity::kWarning, {"source file '", name, "' not found"}, "k"});
    };
    warningAt(1, "a.c");
    warningAt(2, longName);
    warningAt(2, longName);
    warningAt(3, "b.c");
    warningAt(4, longName + "x");
    warningAt(3, "b.c");
    report.finish();
    files.moveAll("");
    files.confirm();
  }
  const auto line = [&host](std::size_t number, const std::string& name) {
    return host.toHostPath("C:\\p\\top.gpj") + ":" + std::to_string(number) + ":1: warning: source file '" + name +
           "' not found [k]\n";
  };
  EXPECT_EQ(host.fileContent(path), line(1, "a.c") + line(2, longName) + line(3, "b.c") + line(4, longName + "x") +
                                        "0 errors, 4 warnings, 0 notes\n");
}

}  // namespace
}  // namespace kalvex
