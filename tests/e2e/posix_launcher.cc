#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "launcher.h"

namespace kalvex::e2e {
namespace {

// Runs the POSIX build: system paths are host paths with "\" for "/".
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

  std::string systemRoot() const override {
    std::string root = hostRoot_;
    std::replace(root.begin(), root.end(), '/', '\\');
    return root;
  }

  std::string hostPath(const std::string& systemPath) const override {
    std::string path = systemPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
  }

  testing::ProgramResult run(const std::vector<std::string>& words, const std::string& workingDirectory) override {
    std::vector<std::string> arguments{KALVEX_BINARY};
    for (const std::string& word : words) {
      arguments.push_back(word.rfind(systemRoot(), 0) == 0 ? hostPath(word) : word);
    }
    return testing::runProgram(arguments, hostPath(workingDirectory));
  }

  bool linkToFullDevice(const std::string& systemPath) override {
    if (!std::filesystem::exists("/dev/full")) return false;
    std::filesystem::create_symlink("/dev/full", hostPath(systemPath));
    return true;
  }

 private:
  std::string hostRoot_;
};

}  // namespace

std::unique_ptr<Launcher> makeLocalLauncher() { return std::make_unique<PosixLauncher>(); }

}  // namespace kalvex::e2e
