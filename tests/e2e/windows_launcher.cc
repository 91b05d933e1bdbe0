#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "launcher.h"

namespace kalvex::e2e {
namespace {

using testing::scratchBase;

// Standard output is in text mode on Windows: each line must end in CR LF, and comes back
// ended by LF. A line ended otherwise is reported on standard error, which cases expect empty.
void takeLineEnds(testing::ProgramResult& result) {
  std::string lines;
  const std::string& text = result.standardOutput;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
      result.standardError += "a line of standard output ends in LF without CR\n";
    }
    lines += text[i];
  }
  result.standardOutput = lines;
}

// Runs the Windows build: backslash paths are the host's own. The root folder lies in the
// scratch folder of the Wine runner, on drive Z:, since the temporary folder of a Wine prefix
// lies inside the prefix on C:.
class WindowsLauncher : public Launcher {
 public:
  WindowsLauncher() {
    static int counter = 0;
    root_ = scratchBase() + "\\kalvexe2e_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    if (!std::filesystem::create_directory(root_)) throw std::runtime_error("cannot make the root folder");
  }
  ~WindowsLauncher() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  std::string backslashRoot() const override { return root_; }
  std::string toHostPath(const std::string& backslashPath) const override { return backslashPath; }

  testing::ProgramResult run(const std::vector<std::string>& words, const std::string& workingDirectory) override {
    std::vector<std::string> arguments{KALVEX_BINARY};
    arguments.insert(arguments.end(), words.begin(), words.end());
    testing::ProgramResult result = testing::runProgram(arguments, workingDirectory);
    takeLineEnds(result);
    return result;
  }

  // Windows has no device that fails every write.
  bool linkToFullDevice(const std::string&) override { return false; }

 private:
  std::string root_;
};

}  // namespace

std::unique_ptr<Launcher> makeLocalLauncher() { return std::make_unique<WindowsLauncher>(); }

}  // namespace kalvex::e2e
