#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "project_converter.h"
#include "reader_fixture.h"
#include "support/virtual_host.h"

namespace kalvex {
namespace {

// Parses a project of `count` include lines (each directory given twice, half of them also
// compiler includes), `count` source entries searched through two source directories, and
// one sub-project found only in the last include directory, one missing. Returns the milliseconds taken.
double millisecondsToRead(int count) {
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

  const auto start = std::chrono::steady_clock::now();
  model.reader.open("C:\\w\\top.gpj");
  model.reader.parse();
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;

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
  return elapsed.count();
}

// Reading time grows with the size of the project, not with its square: four times the
// lines may take about four times as long, never sixteen.
TEST(ReaderScale, TimeGrowsLinearlyWithIncludeAndSourceLines) {
  const int small = 10000;
  const int large = 4 * small;
  double smallTime = 1e30;
  double largeTime = 1e30;
  // The least of three runs, so that a busy machine does not decide the ratio.
  for (int run = 0; run < 3; ++run) {
    smallTime = std::min(smallTime, millisecondsToRead(small));
    largeTime = std::min(largeTime, millisecondsToRead(large));
  }
  std::cout << "[ figures  ] " << 3 * small << " lines read in " << smallTime << " ms, " << 3 * large << " lines in "
            << largeTime << " ms\n";
  EXPECT_LT(largeTime, 10 * smallTime);
}

}  // namespace
}  // namespace kalvex
