// Faults made real on POSIX, through the built Kalvex: signals, a lock held, runs started
// together, a closed pipe, FIFOs and devices, an immutable file and a full disk. After each,
// every file the destination held before is byte for byte the same and no run file is left.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/run_program.h"

extern char** environ;

namespace kalvex {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::string>;

class AllOrNothing : public ::testing::Test {
 protected:
  AllOrNothing() {
    std::string pattern = fs::temp_directory_path().string() + "/kalvexaon_XXXXXX";
    root_ = mkdtemp(pattern.data());
    fs::create_directories(root_ + "/out");
    write("cfg/ghs.p_c", "");
  }
  ~AllOrNothing() override {
    umount((root_ + "/out").c_str());
    if (std::system(("chattr -R -i '" + root_ + "' 2>/dev/null").c_str()) != 0) {
      // Nothing was made immutable where chattr does not work.
    }
    fs::remove_all(root_);
  }

  void write(const std::string& relative, const std::string& bytes) {
    fs::create_directories(fs::path(root_ + "/" + relative).parent_path());
    std::ofstream(root_ + "/" + relative, std::ios::binary) << bytes;
  }
  // A top project of groups sub-projects, each with a define and two files.
  void writeTree(int groups, const std::string& extra = "") {
    std::string top = "main.c\n" + extra;
    for (int i = 0; i < groups; ++i) {
      const std::string name = "g" + std::to_string(i);
      top += name + "/" + name + ".gpj\n";
      write("w/" + name + "/" + name + ".gpj", "-DG" + std::to_string(i) + "\na.c\nb.c\n");
    }
    write("w/top.gpj", top);
  }
  std::vector<std::string> words() const {
    return {KALVEX_BINARY, root_ + "/w/top.gpj", root_ + "/out", "-cp", root_ + "/cfg/ghs.p_c"};
  }
  testing::ProgramResult convert(std::vector<std::string> extra = {}) {
    std::vector<std::string> all = words();
    all.insert(all.end(), extra.begin(), extra.end());
    return testing::runProgram(all);
  }
  std::string system(const std::string& relative) const {
    std::string path = root_ + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }
  Snapshot destination() const {
    Snapshot files;
    for (const auto& entry : fs::recursive_directory_iterator(root_ + "/out")) {
      if (!entry.is_directory()) files[entry.path().string()] = testing::readFileBytes(entry.path().string());
    }
    return files;
  }
  // Temporary files, kept earlier files and locks that a run left anywhere below the root.
  std::vector<std::string> leftovers(bool lockHeldByTest = false) const {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".kalvex-") != std::string::npos || (name == "kalvex.lock" && !lockHeldByTest)) {
        found.push_back(entry.path().string());
      }
    }
    return found;
  }
  // Starts Kalvex with its output in a file; returns its process id.
  pid_t start(const std::string& output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> all = words();
    std::vector<char*> argv;
    for (std::string& word : all) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, KALVEX_BINARY, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }
  static int waitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
  }
  // Whether a temporary file of the run pid stands in the destination yet.
  bool writing(pid_t pid) const {
    const std::string mark = ".kalvex-" + std::to_string(pid);
    for (const auto& entry : fs::recursive_directory_iterator(root_ + "/out")) {
      if (entry.path().filename().string().find(mark) != std::string::npos) return true;
    }
    return false;
  }

  std::string root_;
};

constexpr int kLargeTree = 600;

TEST_F(AllOrNothing, SignalsDuringTheWritingLeaveTheEarlierConversion) {
  writeTree(kLargeTree);
  ASSERT_EQ(convert().exitStatus, 0);
  const Snapshot before = destination();
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    writeTree(kLargeTree, "extra.c\n");
    const pid_t pid = start(root_ + "/stdout.txt");
    while (!writing(pid) && waitpid(pid, nullptr, WNOHANG) == 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(pid, signal);
    const int status = waitFor(pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before the signal " << signal;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_TRUE(destination() == before) << "signal " << signal;
    EXPECT_EQ(leftovers(), std::vector<std::string>()) << "signal " << signal;
  }
}

TEST_F(AllOrNothing, AClosedPipeOnStandardOutputLeavesTheEarlierConversion) {
  writeTree(kLargeTree);
  ASSERT_EQ(convert().exitStatus, 0);
  const Snapshot before = destination();
  writeTree(kLargeTree, "extra.c\n");
  std::string command;
  for (const std::string& word : words()) command += "'" + word + "' ";
  ASSERT_EQ(std::system((command + "| head -n 3 >/dev/null").c_str()), 0);
  EXPECT_TRUE(destination() == before);
  EXPECT_EQ(leftovers(), std::vector<std::string>());
}

TEST_F(AllOrNothing, ASecondRunDoesNotWaitForTheLock) {
  writeTree(3);
  ASSERT_EQ(convert().exitStatus, 0);
  const Snapshot before = destination();
  const int lock = ::open((root_ + "/out/kalvex.lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0);
  const testing::ProgramResult refused = convert({"-report", root_ + "/r.txt"});
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_EQ(refused.standardOutput, "Destination in use: " + system("out") + "\n");
  EXPECT_FALSE(fs::exists(root_ + "/r.txt"));
  ::close(lock);
  fs::remove(root_ + "/out/kalvex.lock");
  EXPECT_TRUE(destination() == before);
  EXPECT_EQ(leftovers(), std::vector<std::string>());
}

// Each run either converts the whole tree or refuses at once; the project is whole.
TEST_F(AllOrNothing, RunsStartedTogetherNeverMixTheirFiles) {
  writeTree(kLargeTree);
  ASSERT_EQ(convert().exitStatus, 0);
  const Snapshot before = destination();
  const pid_t first = start(root_ + "/first.txt");
  const pid_t second = start(root_ + "/second.txt");
  for (const auto& [pid, output] : {std::pair{first, "/first.txt"}, std::pair{second, "/second.txt"}}) {
    const int status = waitFor(pid);
    ASSERT_TRUE(WIFEXITED(status));
    const std::string printed = testing::readFileBytes(root_ + output);
    if (WEXITSTATUS(status) == 1) {
      EXPECT_EQ(printed, "Destination in use: " + system("out") + "\n");
    } else {
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_NE(printed.find("Zintra/Zintra++ Project Completed!\n"), std::string::npos);
    }
  }
  EXPECT_TRUE(destination() == before);
  EXPECT_EQ(leftovers(), std::vector<std::string>());
}

// Nothing but a regular file is opened for reading, so nothing waits or reads without end.
TEST_F(AllOrNothing, FifosAndDevicesAreFilesThatCannotBeOpened) {
  write("w/main.c", "");
  ASSERT_EQ(mkfifo((root_ + "/w/fifo.gpj").c_str(), 0644), 0);
  ASSERT_EQ(mkfifo((root_ + "/cfg/fifo.p_a").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", root_ + "/w/zero.gpj");
  for (const std::string sub : {"fifo.gpj", "zero.gpj"}) {
    write("w/top.gpj", "main.c\n" + sub + "\n");
    const testing::ProgramResult result = convert();
    EXPECT_EQ(result.standardOutput, "Could not open file: " + system("w/" + sub) + "\n");
    EXPECT_EQ(result.exitStatus, 1);
  }
  write("w/top.gpj", "main.c\n");
  const testing::ProgramResult result = convert({"-ap", root_ + "/cfg/fifo.p_a", "-report", root_ + "/r.txt"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_NE(result.standardOutput.find("Couldnt open file\n"), std::string::npos);
  EXPECT_NE(testing::readFileBytes(root_ + "/r.txt").find("[personality-missing]\n0 errors, 1 warnings"),
            std::string::npos);
  EXPECT_EQ(leftovers(), std::vector<std::string>());
}

// A file that cannot be replaced (immutable, which stops root too) fails the run at the moves:
// what was moved before it is put back.
TEST_F(AllOrNothing, AFailedMovePutsBackWhatWasMoved) {
  writeTree(2);
  ASSERT_EQ(convert().exitStatus, 0);
  const Snapshot before = destination();
  const std::string personality = root_ + "/out/person/top.p_s";
  if (std::system(("chattr +i '" + personality + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "the file system cannot make a file immutable";
  }
  writeTree(2, "extra.c\n");
  const testing::ProgramResult result = convert();
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.standardOutput.find("Could not write file: " + system("out/person/top.p_s") + "\n"),
            std::string::npos)
      << result.standardOutput;
  EXPECT_EQ(result.standardOutput.find("Completed"), std::string::npos);
  EXPECT_TRUE(destination() == before);
  EXPECT_EQ(leftovers(), std::vector<std::string>());
}

// A full disk: a small tmpfs as the destination, where the test may mount one.
TEST_F(AllOrNothing, AFullDiskLeavesTheEarlierConversion) {
  const std::string out = root_ + "/out";
  if (mount("tmpfs", out.c_str(), "tmpfs", 0, "size=48k") != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
  writeTree(1);
  const testing::ProgramResult first = convert();
  const Snapshot before = destination();
  writeTree(1, std::string(64 * 1024, 'x') + ".c\n");
  const testing::ProgramResult full = convert();
  EXPECT_EQ(first.exitStatus, 0);
  EXPECT_EQ(full.exitStatus, 1);
  EXPECT_NE(full.standardOutput.find("Could not write file: " + system("out/top.prj") + "\n"), std::string::npos)
      << full.standardOutput;
  EXPECT_TRUE(destination() == before);
  EXPECT_EQ(leftovers(), std::vector<std::string>());
  umount(out.c_str());
}

}  // namespace
}  // namespace kalvex
