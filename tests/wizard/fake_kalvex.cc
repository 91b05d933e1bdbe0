// Plays Kalvex for the wizard tests: writes its argument count and arguments, one a line, to
// the file named by FAKE_KALVEX_RECORD, prints two progress lines, waits FAKE_KALVEX_SLEEP_MS
// milliseconds and exits with FAKE_KALVEX_EXIT (default 0). With FAKE_KALVEX_CRASH set it dies
// of a segmentation fault after the first line instead. With FAKE_KALVEX_REPORT set, writes its
// text to the path after "-report".
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

namespace {

int numberFrom(const char* variable) {
  const char* text = std::getenv(variable);
  return text ? std::atoi(text) : 0;
}

void crash() {
#ifdef _WIN32
  // Windows tells a crash by the exit status, the code of the exception that ended the
  // program: end with that of an access violation, without waking a debugger.
  std::_Exit(static_cast<int>(0xC0000005u));
#else
  // A sanitizer's handler would turn the signal into an ordinary exit: take the default action.
  std::signal(SIGSEGV, SIG_DFL);
  std::raise(SIGSEGV);
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const char* record = std::getenv("FAKE_KALVEX_RECORD")) {
    std::ofstream out(record, std::ios::binary);
    out << argc - 1 << '\n';
    for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
  }
  const char* report = std::getenv("FAKE_KALVEX_REPORT");
  for (int i = 1; report != nullptr && i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "-report") std::ofstream(argv[i + 1], std::ios::binary) << report;
  }
  std::cout << "Creating Zintra/Zintra++ Project ..." << std::endl;
  std::this_thread::sleep_for(std::chrono::milliseconds(numberFrom("FAKE_KALVEX_SLEEP_MS")));
  if (std::getenv("FAKE_KALVEX_CRASH")) crash();
  std::cout << "Zintra/Zintra++ Project Completed!" << std::endl;
  return numberFrom("FAKE_KALVEX_EXIT");
}
