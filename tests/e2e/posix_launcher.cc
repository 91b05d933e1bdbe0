#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "launcher.h"

namespace kalvex::e2e {
namespace {

// Runs the POSIX build: backslash paths are host paths with "\" for "/".
class PosixLauncher : public Launcher {
 public:
  PosixLauncher() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvexe2e_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    hostRoot_ = pattern;
  }
  ~PosixLauncher() override {
    std::error_code ignored;
    std::filesystem::remove_all(hostRoot_, ignored);
  }

  std::string backslashRoot() const override {
    std::string root = hostRoot_;
    std::replace(root.begin(), root.end(), '/', '\\');
    return root;
  }

  std::string toHostPath(const std::string& backslashPath) const override {
    std::string path = backslashPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
  }

  testing::ProgramResult run(const std::vector<std::string>& words, const std::string& workingDirectory) override {
    std::vector<std::string> arguments{KALVEX_BINARY};
    for (const std::string& word : words) {
      arguments.push_back(word.rfind(backslashRoot(), 0) == 0 ? toHostPath(word) : word);
    }
    return testing::runProgram(arguments, toHostPath(workingDirectory));
  }

  bool linkToFullDevice(const std::string& backslashPath) override {
    if (!std::filesystem::exists("/dev/full")) return false;
    std::filesystem::create_symlink("/dev/full", toHostPath(backslashPath));
    return true;
  }

 private:
  std::string hostRoot_;
};

}  // namespace

std::unique_ptr<Launcher> makeLocalLauncher() { return std::make_unique<PosixLauncher>(); }

}  // namespace kalvex::e2e
