// How the end-to-end cases reach a build of Kalvex. Cases speak backslash paths below the
// placeholder "{root}"; a launcher supplies that root folder (fresh and empty for each case),
// maps backslash paths to paths the test can open itself, and runs the program. The root must not
// hold the texts that project-file and personality lines are searched for ("-i", "-I", "-s",
// "-D", ".c", ".gpj", "macro", "$", "#", ":sourceDir=", blanks), since cases write it into them.
#ifndef KALVEX_TESTS_E2E_LAUNCHER_H
#define KALVEX_TESTS_E2E_LAUNCHER_H

#include <memory>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace kalvex::e2e {

class Launcher {
 public:
  virtual ~Launcher() = default;
  // The root folder as Kalvex writes it on its output and into its files.
  virtual std::string backslashRoot() const = 0;
  // The path under which the test process reaches a backslash path.
  virtual std::string toHostPath(const std::string& backslashPath) const = 0;
  // Runs Kalvex with the words after its name; words below backslashRoot() are backslash paths.
  // workingDirectory is a backslash path. Standard output comes back with its lines ended by LF.
  virtual testing::ProgramResult run(const std::vector<std::string>& words, const std::string& workingDirectory) = 0;
  // Makes toHostPath(backslashPath) a symbolic link to a device on which every write fails; false
  // where the host has none.
  virtual bool linkToFullDevice(const std::string& backslashPath) = 0;
};

// A launcher for the Kalvex built with the tests, on a fresh root folder: a temporary one on
// POSIX, one in the working directory on Windows.
std::unique_ptr<Launcher> makeLocalLauncher();

// The text with every "{root}" replaced by root.
std::string withRoot(std::string text, const std::string& root);

}  // namespace kalvex::e2e

#endif
