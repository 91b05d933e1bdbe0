// Runs a program with an exact argument list (no shell) and captures what it prints.
#ifndef KALVEX_TESTS_SUPPORT_RUN_PROGRAM_H
#define KALVEX_TESTS_SUPPORT_RUN_PROGRAM_H

#include <string>
#include <vector>

namespace kalvex::testing {

struct ProgramResult {
  int exitStatus = -1;  // -1 when the program did not exit normally
  std::string standardOutput;
  std::string standardError;
};

// arguments[0] is the program to run; workingDirectory is used when not empty.
ProgramResult runProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory = "");

// Reads a whole file in binary mode; empty when it cannot be read.
std::string readFileBytes(const std::string& path);

#ifdef _WIN32
// The process's current directory.
std::string processDirectory();
// Where a test makes its scratch folders: the folder that the Wine runner names in
// KALVEX_SCRATCH, away from the checkout (whose path may hold texts that project lines are
// searched for); else the current directory.
std::string scratchBase();
#endif

}  // namespace kalvex::testing

#endif
