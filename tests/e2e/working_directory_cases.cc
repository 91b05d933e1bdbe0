#include <filesystem>
#include <fstream>
#include <iterator>

#include "e2e_case.h"

namespace kalvex::e2e {
namespace fs = std::filesystem;
namespace {

const std::string kStart = "Creating Zintra/Zintra++ Project ...";
const std::string kDone = "Zintra/Zintra++ Project Completed!";

std::string fileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every file below folder, keyed by the backslash path of its copy below target.
std::vector<std::pair<std::string, std::string>> filesBelow(const fs::path& folder, const std::string& target) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::string relative = fs::relative(entry.path(), folder).generic_string();
    for (char& c : relative) c = c == '/' ? '\\' : c;
    files.emplace_back(target + "\\" + relative, fileBytes(entry.path()));
  }
  return files;
}

// The bundled example, converted with every path on the command line relative to the working
// directory. The golden files hold "{root}" where the root folder stands.
Case bundledExample() {
  const fs::path source = fs::path(KALVEX_SOURCE_DIR) / "examples" / "sensor_node";
  const fs::path golden = fs::path(KALVEX_SOURCE_DIR) / "tests" / "e2e" / "golden" / "sensor_node";
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = filesBelow(source, R"({root}\example)");
  step.words = {R"(example\sensor_node.gpj)",  "out",  "-cp", R"(example\config\sn200.p_c)", "-ap",
                R"(example\config\misra.p_a)", "-ext", "c"};
  step.output = fileBytes(golden / "stdout.txt");
  for (auto& [path, bytes] : filesBelow(golden / "out", R"({root}\out)")) step.expectedFiles.push_back({path, bytes});
  step.expectedFolders = {R"({root}\out\sensor_node\output)", R"({root}\out\sensor_node\app\tasks\output)",
                          R"({root}\out\sensor_node\middleware\proto\person)"};
  return {"BundledExampleFromRelativePaths", {step}};
}

// "." is the working directory itself; ".." steps stay as they are written.
Case dotAsDestination() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\top.gpj)", "main.c\r\n"}, {R"({root}\w\main.c)", ""}, {R"({root}\cfg\ghs.p_c)", ""}};
  step.workingDirectory = R"({root}\out)";
  step.words = {R"(..\w\top.gpj)", ".", "-cp", R"(..\cfg\ghs.p_c)"};
  step.output = lf({kStart, "  Creating Group - top", kDone});
  step.expectedFiles = {{R"({root}\out\top.prj)",
                         crlf({"VersionTag45", "StartProjectMarker", "FolderName=top", R"(SourcePath={root}\out\..\w)",
                               R"(OutputPath={root}\out\top\output\)", R"(SubsPers={root}\out\person\top.p_s)",
                               R"(AnalPers={root}\out\person\top.p_a)", R"(CompPers={root}\out\..\cfg\ghs.p_c)",
                               R"({root}\out\..\w\main.c)", "EndContainedFilesMarker"})},
                        {R"({root}\out\person\top.p_s)", ""},
                        {R"({root}\out\person\top.p_a)", ""}};
  step.expectedFolders = {R"({root}\out\top\output)", R"({root}\out\top\person)"};
  return {"DotAsDestination", {step}};
}

}  // namespace

std::vector<Case> workingDirectoryCases() { return {bundledExample(), dotAsDestination()}; }

}  // namespace kalvex::e2e
