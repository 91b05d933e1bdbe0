// POSIX: the lock a run holds on its destination and the signals that end a run. SIGINT,
// SIGTERM, SIGHUP and SIGPIPE (standard output closed) remove the files marked in
// interrupt_files.h and then end the process as the signal would have.
#ifndef KALVEX_HOST_POSIX_RUN_GUARD_H
#define KALVEX_HOST_POSIX_RUN_GUARD_H

#include <string>

#include "host/host.h"

namespace kalvex {

// Installs the handlers once per process.
void catchInterrupts();
// Blocks or unblocks the signals above.
void holdPosixInterrupts(bool held);

// The lock of one file: flock on a descriptor of its own, taken again when another run
// removed or replaced the file between the open and the lock.
class PosixLock {
 public:
  ~PosixLock() { release(); }
  LockResult take(const std::string& hostPath);
  // Removes the file while still holding the lock, then closes it.
  void release();

 private:
  int descriptor_ = -1;
  std::string path_;
};

}  // namespace kalvex

#endif
