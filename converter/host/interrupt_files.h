// The files that an interruption removes, kept so that a signal handler (or the console
// handler's thread on Windows) can walk them without allocating or locking: each path is
// copied once into a node of its own that is never freed, and nodes are only added at the
// head. Marking and adding happen on one thread only.
#ifndef KALVEX_HOST_INTERRUPT_FILES_H
#define KALVEX_HOST_INTERRUPT_FILES_H

#include <cstddef>
#include <string>

namespace kalvex {

// Adds path (as the operating system spells it); returns its mark.
std::size_t addInterruptFile(const std::string& hostPath);
// The file of mark is no longer removed.
void keepInterruptFile(std::size_t mark);
// Calls remove on every file still marked for removal; safe inside a signal handler when
// remove is.
void removeInterruptFiles(void (*remove)(const char* hostPath));

}  // namespace kalvex

#endif
