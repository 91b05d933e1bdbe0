#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "e2e_case.h"

namespace kalvex::e2e {
namespace fs = std::filesystem;

std::string crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string lf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::vector<std::string> blockHead(const std::string& name, const std::string& source, const std::string& folder,
                                   const std::string& subs, const std::string& anal, const std::string& comp) {
  return {"StartProjectMarker", "FolderName=" + name, "SourcePath=" + source, "OutputPath=" + folder + R"(\output\)",
          "SubsPers=" + subs,   "AnalPers=" + anal,   "CompPers=" + comp};
}

std::vector<std::string> join(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string withRoot(std::string text, const std::string& root) {
  const std::string placeholder = "{root}";
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + root.size())) {
    text.replace(at, placeholder.size(), root);
  }
  return text;
}

namespace {

// Where the program under test finds a case's path, seen from the test.
fs::path onHost(const Launcher& launcher, const std::string& root, const std::string& path) {
  return fs::path(launcher.toHostPath(withRoot(path, root)));
}

void layOut(const Step& step, Launcher& launcher, const std::string& root) {
  auto host = [&](const std::string& path) { return onHost(launcher, root, path); };
  for (const std::string& folder : step.folders) fs::create_directories(host(folder));
  for (const auto& [path, bytes] : step.files) {
    fs::create_directories(host(path).parent_path());
    std::ofstream(host(path), std::ios::binary | std::ios::trunc) << withRoot(bytes, root);
  }
  for (const std::string& link : step.fullDeviceLinks) {
    if (!launcher.linkToFullDevice(withRoot(link, root))) GTEST_SKIP() << "no device that fails every write";
  }
}

void setVariable(const std::string& name, const std::string& value, bool set) {
#ifdef _WIN32
  _putenv_s(name.c_str(), set ? value.c_str() : "");
#else
  if (set) {
    setenv(name.c_str(), value.c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

// Sets a step's variables for as long as it lives.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const Step& step, const std::string& root) : step_(step) {
    for (const auto& [name, value] : step_.environment) setVariable(name, withRoot(value, root), true);
  }
  ~ScopedEnvironment() {
    for (const auto& variable : step_.environment) setVariable(variable.first, "", false);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const Step& step_;
};

using Snapshot = std::map<fs::path, std::string>;

Snapshot filesBelow(const fs::path& folder) {
  Snapshot files;
  if (!fs::is_directory(folder)) return files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_directory()) files[entry.path()] = testing::readFileBytes(entry.path().string());
  }
  return files;
}

// No run leaves a temporary file, a kept earlier file or its lock behind.
void expectNoRunFiles(const fs::path& root) {
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name.find(".kalvex-") == std::string::npos && name != "kalvex.lock") << entry.path() << " left behind";
  }
}

void check(const Step& step, Launcher& launcher, const std::string& root) {
  auto host = [&](const std::string& path) { return onHost(launcher, root, path); };
  for (const ExpectedFile& file : step.expectedFiles) {
    const fs::path path = host(file.path);
    if (!file.bytes) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << file.path << " must not exist";
      continue;
    }
    EXPECT_TRUE(fs::is_regular_file(path)) << file.path << " is missing";
    EXPECT_EQ(testing::readFileBytes(path.string()), withRoot(*file.bytes, root)) << file.path;
  }
  for (const std::string& folder : step.expectedFolders) EXPECT_TRUE(fs::is_directory(host(folder))) << folder;
  for (const std::string& folder : step.emptyFolders) {
    EXPECT_TRUE(fs::is_directory(host(folder)) && fs::is_empty(host(folder))) << folder << " must exist and be empty";
  }
}

}  // namespace

void runCase(const Case& c, Launcher& launcher) {
  const std::string root = launcher.backslashRoot();
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    SCOPED_TRACE("run " + std::to_string(i + 1) + " of " + c.name);
    const Step& step = c.steps[i];
    layOut(step, launcher, root);
    if (::testing::Test::IsSkipped()) return;
    const fs::path unchanged = step.unchangedFolder.empty() ? fs::path() : onHost(launcher, root, step.unchangedFolder);
    const Snapshot before = filesBelow(unchanged);
    std::vector<std::string> words;
    for (const std::string& word : step.words) words.push_back(withRoot(word, root));
    const ScopedEnvironment environment(step, root);
    const testing::ProgramResult result = launcher.run(words, withRoot(step.workingDirectory, root));
    EXPECT_EQ(result.standardOutput, withRoot(step.output, root));
    EXPECT_EQ(result.exitStatus, step.exitStatus);
    EXPECT_EQ(result.standardError, "");
    check(step, launcher, root);
    if (!unchanged.empty()) {
      EXPECT_TRUE(filesBelow(unchanged) == before) << step.unchangedFolder << " changed";
    }
    expectNoRunFiles(onHost(launcher, root, "{root}"));
  }
}

}  // namespace kalvex::e2e
