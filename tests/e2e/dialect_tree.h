// What the dialect trees share: each converts into {root}\out under the project name demo,
// with an empty compiler personality, and every group writes its own analyser personality.
#ifndef KALVEX_TESTS_E2E_DIALECT_TREE_H
#define KALVEX_TESTS_E2E_DIALECT_TREE_H

#include <string>
#include <utility>
#include <vector>

#include "e2e_case.h"

namespace kalvex::e2e {

// Trees as generators, RTOS kits, loaders and the IDE on Windows write them.
std::vector<Case> generatedAndPortedCases();
// Option lines as vendors' loaders and hand-written trees write them.
std::vector<Case> vendorOptionCases();
// Trees whose conditions and build configurations choose what is read.
std::vector<Case> conditionCases();

namespace dialect {

inline const std::string kCompiler = R"({root}\cfg\ghs.p_c)";
inline const std::string kStart = "Creating Zintra/Zintra++ Project ...";
inline const std::string kDone = "Zintra/Zintra++ Project Completed!";
inline const std::string kSubs = R"({root}\out\person\demo.p_s)";

// A conversion of top into {root}\out under the project name demo.
inline Step demoStep(const std::string& top, std::vector<std::pair<std::string, std::string>> files) {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = std::move(files);
  step.files.push_back({kCompiler, ""});
  step.words = {top, R"({root}\out)", "-cp", kCompiler, "-pn", "demo"};
  return step;
}

// A group block whose analyser personality is its own, up to its file list.
inline std::vector<std::string> block(const std::string& name, const std::string& source, const std::string& folder) {
  const std::string last = name.substr(name.rfind('\\') + 1);
  return blockHead(last, source, R"({root}\out\)" + folder, kSubs,
                   R"({root}\out\)" + folder + R"(\person\)" + last + ".p_a", kCompiler);
}

inline std::string personality(const std::string& folder) {
  return R"({root}\out\)" + folder + R"(\person\)" + folder.substr(folder.rfind('\\') + 1) + ".p_a";
}

// The progress lines of a run in which every group, given by its folder, writes its own
// analyser personality.
inline std::string progress(const std::vector<std::string>& folders) {
  std::vector<std::string> lines{kStart};
  for (const std::string& folder : folders) {
    lines.push_back("  Creating Group - " + folder.substr(folder.rfind('\\') + 1));
    lines.push_back("  Creating Analyser Personality - " + personality(folder));
  }
  lines.push_back(kDone);
  return lf(lines);
}

}  // namespace dialect
}  // namespace kalvex::e2e

#endif
