// End-to-end cases as data: files to lay out, a command line, and the exact output, exit
// status and files expected afterwards. Every path and text may hold "{root}", the fresh root
// folder of the case in backslash form, so the same cases run on any host (see launcher.h).
#ifndef KALVEX_TESTS_E2E_E2E_CASE_H
#define KALVEX_TESTS_E2E_E2E_CASE_H

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "launcher.h"

namespace kalvex::e2e {

struct ExpectedFile {
  std::string path;
  std::optional<std::string> bytes;  // nothing: no file or folder of that path may exist
};

// One run of Kalvex and what it must leave behind.
struct Step {
  std::vector<std::string> folders;                              // made before the run
  std::vector<std::pair<std::string, std::string>> files;        // path and bytes, written before the run
  std::vector<std::string> fullDeviceLinks;                      // links to a device that fails every write
  std::vector<std::pair<std::string, std::string>> environment;  // variables set for the run only
  std::vector<std::string> words;                                // the command line after the program name
  std::string workingDirectory = "{root}";
  std::string output;  // standard output, lines ended by LF
  int exitStatus = 0;
  std::vector<ExpectedFile> expectedFiles;
  std::vector<std::string> expectedFolders;
  std::vector<std::string> emptyFolders;  // exist and hold nothing
  // Every file below it after the run is one it held before, byte for byte (folders may be new).
  std::string unchangedFolder;
};

struct Case {
  std::string name;
  std::vector<Step> steps;
};

inline void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// Lines each ended by CR LF, as Kalvex writes files.
std::string crlf(const std::vector<std::string>& lines);
// Lines each ended by LF, as Kalvex prints them.
std::string lf(const std::vector<std::string>& lines);

// A group block of the .prj file up to its file list.
std::vector<std::string> blockHead(const std::string& name, const std::string& source, const std::string& folder,
                                   const std::string& subs, const std::string& anal, const std::string& comp);
// The parts one after the other.
std::vector<std::string> join(std::vector<std::vector<std::string>> parts);

std::vector<Case> conversionCases();
// Project trees as the IDE, people and other tools write them.
std::vector<Case> dialectCases();
std::vector<Case> failureCases();
// Paths given relative to the working directory, the bundled example among them.
std::vector<Case> workingDirectoryCases();

// Lays out, runs and checks every step of a case through the launcher, reporting each
// difference as a test failure.
void runCase(const Case& c, Launcher& launcher);

}  // namespace kalvex::e2e

#endif
