// The one seam between Kalvex and the operating system: files, folders, the current
// directory, the lock, interruptions and the environment. Every path that crosses it is a
// backslash path, a text with the backslash as its only separator; the operating system's own
// spelling of it is its host path. Implementations translate at this boundary and nowhere else.
#ifndef KALVEX_HOST_HOST_H
#define KALVEX_HOST_HOST_H

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kalvex {

class Host;

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

// Directories searched in order for a file named relative to them. The first directory in
// which directory + "\\" + relative opens for reading wins. This one tries every candidate
// with a real open; a host may answer with fewer opens where it knows the folders exactly.
class DirectorySearch {
 public:
  explicit DirectorySearch(Host& host) : host_(host) {}
  virtual ~DirectorySearch() = default;
  // Appends a directory, a backslash path, at the end of the order.
  void add(const std::string& directory) { directories_.push_back(directory); }
  bool empty() const { return directories_.empty(); }
  // The first candidate path that opens, spelled as the host finds it; nothing when none does.
  virtual std::optional<std::string> firstThatOpens(const std::string& relative);

 protected:
  std::optional<std::string> opensIn(std::size_t index, const std::string& relative);
  Host& host_;
  std::vector<std::string> directories_;
};

enum class LockResult { kLocked, kInUse, kUnavailable };

// Whether an interruption ends the process at once or waits (see Host::holdInterrupts).
enum class Interrupts { kHeld, kReleased };

class Host {
 public:
  virtual ~Host() = default;

  // Opens an existing regular file for reading in binary mode; null if it cannot be opened
  // or is anything else (a folder, a FIFO, a device, a socket), which is then not opened.
  virtual std::unique_ptr<std::istream> openRead(const std::string& path) = 0;
  // The path of the file that openRead(path) would open, spelled as the file system spells
  // its names (on POSIX a name may differ in letter case from path); nothing when none opens.
  virtual std::optional<std::string> findFile(const std::string& path) {
    if (!openRead(path)) return std::nullopt;
    return path;
  }
  // Creates or truncates a file for writing in binary mode; null if it cannot be opened.
  virtual std::unique_ptr<OutputFile> openWrite(const std::string& path) = 0;
  // True when a file or a folder of that path exists.
  virtual bool exists(const std::string& path) = 0;
  // True when a folder of that path exists (a link to one included).
  virtual bool isFolder(const std::string& path) = 0;
  // Creates one folder level; false when it could not be created (also when it exists).
  virtual bool makeDirectory(const std::string& path) = 0;
  // Identity of the file at path, or nothing when it cannot be determined.
  virtual std::optional<FileIdentity> identify(const std::string& path) = 0;

  // The current directory of the current drive, as a backslash path.
  virtual std::string currentDirectory() = 0;
  // Makes the drive named by the first two characters of a path ("X:") current;
  // false when it cannot be made current.
  virtual bool makeDriveCurrent(const std::string& drive) = 0;

  // A path word from the command line as a backslash path (POSIX: every "/" becomes "\").
  virtual std::string fromCommandLine(const std::string& word) = 0;

  // The host path of a backslash path, for texts that other programs read (POSIX: every "\"
  // becomes "/").
  virtual std::string toHostPath(const std::string& path) = 0;
  // Moves the file from onto to, replacing a file of that path in one step; false when it
  // cannot (from then stays as it was).
  virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
  // Removes a file; false when there is none or it cannot be removed.
  virtual bool removeFile(const std::string& path) = 0;
  // Gives the file at path (a symbolic link itself, not what it names) the second name link;
  // false when it cannot (no file, or a file system without links).
  virtual bool linkFile(const std::string& path, const std::string& link) = 0;

  // The running process's id in decimal.
  virtual std::string processId() = 0;
  // Creates the file path if needed and takes the operating system's lock on it without
  // waiting; a killed process leaves no lock behind. One lock per host at a time.
  virtual LockResult lockFile(const std::string& path) = 0;
  // Removes the locked file and then releases its lock; nothing when none is held.
  virtual void unlockFile() = 0;
  // Marks path as a file that an interruption (a signal, a closed console) removes before the
  // process ends; returns the mark that keepOnInterrupt takes.
  virtual std::size_t removeOnInterrupt(const std::string& path) = 0;
  virtual void keepOnInterrupt(std::size_t mark) = 0;
  // While held, an interruption waits until it is released; calls do not nest.
  virtual void holdInterrupts(Interrupts state) = 0;

  // The value of the environment variable name, names compared as the operating system
  // compares them (POSIX exactly, Windows ignoring case); nothing when it is not set.
  virtual std::optional<std::string> environmentVariable(const std::string& name) = 0;

  // An empty search over directories of this host.
  virtual std::unique_ptr<DirectorySearch> makeSearch() { return std::make_unique<DirectorySearch>(*this); }
};

// The host of the running operating system: Windows when built for it, POSIX otherwise. The
// build compiles the one platform's file (posix_host.cc or windows_host.cc) that supplies it.
std::unique_ptr<Host> makeOperatingSystemHost();

}  // namespace kalvex

#endif
