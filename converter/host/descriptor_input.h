// POSIX: a regular file opened for reading as one descriptor, with a stat before the open and
// an fstat after it to refuse anything else, and read through a buffer that is made only when
// the first byte is read, so that an open that only tests whether the file opens costs three
// system calls and a close.
#ifndef KALVEX_HOST_DESCRIPTOR_INPUT_H
#define KALVEX_HOST_DESCRIPTOR_INPUT_H

#include <istream>
#include <memory>
#include <string>

namespace kalvex {

// Null when the host path cannot be opened for reading or names no regular file.
std::unique_ptr<std::istream> openDescriptorInput(const std::string& hostPath);

// Whether openDescriptorInput would give a stream: the same open and fstat, then a close,
// without the cost of a stream.
bool opensForReading(const std::string& hostPath);
// The same for a path that a listing made in this run shows as a regular file: the stat
// before the open is left out, the fstat after it still refuses anything else.
bool listedFileOpensForReading(const std::string& hostPath);

}  // namespace kalvex

#endif
