// The one seam between Kalvex and the operating system. Every path that crosses it is a
// system path: a text with the backslash as its only separator. Implementations translate
// at this boundary and nowhere else.
#ifndef KALVEX_HOST_HOST_H
#define KALVEX_HOST_HOST_H

#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace kalvex {

// A file opened for writing in binary mode. The stream fails on the first write error;
// close() flushes and closes, and reports whether every write, flush and close succeeded.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual std::ostream& stream() = 0;
  virtual bool close() = 0;
};

// Identifies a file independently of how its path is spelled.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t node = 0;
  bool operator==(const FileIdentity& o) const { return device == o.device && node == o.node; }
  bool operator!=(const FileIdentity& o) const { return !(*this == o); }
  bool operator<(const FileIdentity& o) const { return device != o.device ? device < o.device : node < o.node; }
};

class Host {
 public:
  virtual ~Host() = default;

  // Opens an existing regular file for reading in binary mode; null if it cannot be opened
  // or is a folder.
  virtual std::unique_ptr<std::istream> openRead(const std::string& path) = 0;
  // Creates or truncates a file for writing in binary mode; null if it cannot be opened.
  virtual std::unique_ptr<OutputFile> openWrite(const std::string& path) = 0;
  // True when a file or a folder of that path exists.
  virtual bool exists(const std::string& path) = 0;
  // Creates one folder level; false when it could not be created (also when it exists).
  virtual bool makeDirectory(const std::string& path) = 0;
  // Identity of the file at path, or nothing when it cannot be determined.
  virtual std::optional<FileIdentity> identify(const std::string& path) = 0;

  // The current directory of the current drive, as a system path.
  virtual std::string currentDirectory() = 0;
  // Makes the drive named by the first two characters of a path ("X:") current;
  // false when it cannot be made current.
  virtual bool makeDriveCurrent(const std::string& drive) = 0;

  // A path word from the command line as a system path (POSIX: every "/" becomes "\").
  virtual std::string fromCommandLine(const std::string& word) = 0;

  // A system path as the operating system spells it, for texts that other programs read
  // (POSIX: every "\" becomes "/").
  virtual std::string hostPath(const std::string& path) = 0;
  // Moves the file from onto to, replacing a file of that path in one step; false when it
  // cannot (from then stays as it was).
  virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
  // Removes a file; false when there is none or it cannot be removed.
  virtual bool removeFile(const std::string& path) = 0;
};

// The host of the running operating system: Windows when built for it, POSIX otherwise.
std::unique_ptr<Host> makeSystemHost();

}  // namespace kalvex

#endif
