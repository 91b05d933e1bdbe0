#include "host/posix_run_guard.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/interrupt_files.h"

namespace kalvex {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

void unlinkPath(const char* path) { ::unlink(path); }

// Only async-signal-safe calls: unlink, then the default action raised again.
extern "C" void onInterrupt(int signal) {
  removeInterruptFiles(unlinkPath);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

sigset_t interruptSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

void catchInterrupts() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  action.sa_mask = interruptSet();
  for (int signal : kSignals) {
    struct sigaction previous {};
    // A signal ignored by whoever started the run stays ignored, as a shell's nohup expects.
    if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

void holdPosixInterrupts(bool held) {
  const sigset_t set = interruptSet();
  ::sigprocmask(held ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

LockResult PosixLock::take(const std::string& hostPath) {
  release();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int descriptor = ::open(hostPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor < 0) return LockResult::kUnavailable;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
      const bool inUse = errno == EWOULDBLOCK;
      ::close(descriptor);
      return inUse ? LockResult::kInUse : LockResult::kUnavailable;
    }
    // The run that held it may have removed the file after this open: then lock the new one.
    struct stat held {
    }, named{};
    if (::fstat(descriptor, &held) == 0 && ::stat(hostPath.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino) {
      descriptor_ = descriptor;
      path_ = hostPath;
      return LockResult::kLocked;
    }
    ::close(descriptor);
  }
  return LockResult::kUnavailable;
}

void PosixLock::release() {
  if (descriptor_ < 0) return;
  ::unlink(path_.c_str());
  ::close(descriptor_);
  descriptor_ = -1;
}

}  // namespace kalvex
