#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "support/run_program.h"

namespace kalvex::testing {
namespace {

// Quotes one argument so that the C runtime of the child splits it back out unchanged.
std::string quoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: double them there, and escape the quote.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

std::string commandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += quoteArgument(argument);
  }
  return line;
}

std::string readAll(HANDLE pipe) {
  std::string text;
  char buffer[65536];
  DWORD count = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &count, nullptr) && count > 0) text.append(buffer, count);
  return text;
}

// A pipe whose write end the child inherits.
void makePipe(HANDLE& readEnd, HANDLE& writeEnd) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  if (!CreatePipe(&readEnd, &writeEnd, &attributes, 0)) throw std::runtime_error("CreatePipe failed");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
}

}  // namespace

ProgramResult runProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory) {
  HANDLE outRead, outWrite, errRead, errWrite;
  makePipe(outRead, outWrite);
  makePipe(errRead, errWrite);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes, OPEN_EXISTING, 0,
                             nullptr);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION process{};
  std::string line = commandLine(arguments);
  const BOOL started = CreateProcessA(arguments.at(0).c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                                      &process);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);

  ProgramResult result;
  if (started) {
    std::thread errorReader([&] { result.standardError = readAll(errRead); });
    result.standardOutput = readAll(outRead);
    errorReader.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    if (GetExitCodeProcess(process.hProcess, &status)) result.exitStatus = static_cast<int>(status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(outRead);
  CloseHandle(errRead);
  return result;
}

std::string readFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string processDirectory() {
  char buffer[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
  return std::string(buffer, length);
}

std::string scratchBase() {
  const char* scratch = std::getenv("KALVEX_SCRATCH");
  if (scratch != nullptr && *scratch != '\0') return scratch;
  return processDirectory();
}

}  // namespace kalvex::testing
