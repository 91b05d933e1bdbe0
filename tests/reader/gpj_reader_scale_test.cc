#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "project_converter.h"
#include "reader_fixture.h"
#include "support/virtual_host.h"

namespace kalvex {
namespace {

// A project of `count` include lines (each directory given twice, half of them also compiler
// includes), `count` source entries searched through two source directories, and one
// sub-project found only in the last include directory, one missing: every line is read once
// and each candidate of the missing sub-project is tried once. How the reading time grows with
// such a project is the benchmark's "includes" shape.
TEST(ReaderScale, ALargeProjectIsReadWholeAndEachCandidateTriedOnce) {
  const int count = 10000;
  VirtualHost host;
  std::ostringstream log;
  ProjectConverter converter("C:\\w\\top.gpj", "C:\\out", host, log);
  std::string top = ":sourceDir=s1\r\n:sourceDir=s2\r\n";
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) top += "\t-Iinc" + std::to_string(i) + "\r\n";
  }
  for (int i = 0; i < count; ++i) top += "src" + std::to_string(i) + ".c\r\n";
  for (int i = 0; i < count; i += 2) converter.addCompilerInclude("C:\\w\\inc" + std::to_string(i));
  top += "sub.gpj\r\n{optional} gone.gpj\r\n";
  host.addFile("C:\\w\\top.gpj", top);
  host.addFile("C:\\w\\inc" + std::to_string(count - 1) + "\\sub.gpj", "");
  testing::ReadModel model(converter, "C:\\w\\top.gpj");
  model.link(converter, "C:\\w\\top.gpj");
  model.reader.open("C:\\w\\top.gpj");
  model.reader.parse();

  const ProjectGroup& root = model.root;
  EXPECT_EQ(root.includes().size(), static_cast<std::size_t>(count / 2));
  EXPECT_EQ(root.files.size(), static_cast<std::size_t>(count));
  // The missing sub-project is looked for beside the top file, in both source directories and
  // in each include directory once.
  const std::vector<std::string>& opened = host.readsOpened();
  const auto triedGone = std::count_if(opened.begin(), opened.end(), [](const std::string& path) {
    return path.find("\\gone.gpj") != std::string::npos;
  });
  EXPECT_EQ(triedGone, count + 3);
  EXPECT_EQ(root.children().at(0)->includes().size(), static_cast<std::size_t>(count / 2));
}

}  // namespace
}  // namespace kalvex
