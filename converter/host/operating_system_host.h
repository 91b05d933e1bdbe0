// The host of the running operating system: what its POSIX and its Windows form share. Each
// public operation refuses a path that holds a NUL byte (the operating system reads a path
// only up to it, so the path would name another file than the text holds) and hands every
// other path to its platform's call below, always as a backslash path. Files are written through a buffer of their own.
// The build compiles one platform's file: posix_host.cc or windows_host.cc.
#ifndef KALVEX_HOST_OPERATING_SYSTEM_HOST_H
#define KALVEX_HOST_OPERATING_SYSTEM_HOST_H

#include <cstddef>
#include <istream>
#include <memory>
#include <optional>
#include <string>

#include "host/host.h"

namespace kalvex {

class OperatingSystemHost : public Host {
 public:
  std::unique_ptr<std::istream> openRead(const std::string& path) final;
  std::optional<std::string> findFile(const std::string& path) final;
  std::unique_ptr<OutputFile> openWrite(const std::string& path) final;
  bool exists(const std::string& path) final;
  bool isFolder(const std::string& path) final;
  bool makeDirectory(const std::string& path) final;
  std::optional<FileIdentity> identify(const std::string& path) final;
  std::string currentDirectory() final;
  std::string fromCommandLine(const std::string& word) final { return fromHostPath(word); }
  bool replaceFile(const std::string& from, const std::string& to) final;
  bool removeFile(const std::string& path) final;
  bool linkFile(const std::string& path, const std::string& link) final;
  LockResult lockFile(const std::string& path) final;
  std::size_t removeOnInterrupt(const std::string& path) final;
  void keepOnInterrupt(std::size_t mark) final;

 protected:
  // A host path, such as the operating system gives the current directory, as a backslash path.
  virtual std::string fromHostPath(std::string path) = 0;
  // Called before anything on the file system is created, changed or removed.
  virtual void beforeChange() {}

  virtual std::unique_ptr<std::istream> openExisting(const std::string& path) = 0;
  // The path of the file that openExisting(path) opens, as the file system spells it.
  virtual std::optional<std::string> findExisting(const std::string& path) {
    if (!openExisting(path)) return std::nullopt;
    return path;
  }
  virtual bool existsAt(const std::string& path) = 0;
  virtual bool folderAt(const std::string& path) = 0;
  virtual bool makeFolder(const std::string& path) = 0;
  virtual std::optional<FileIdentity> identityOf(const std::string& path) = 0;
  virtual bool moveOnto(const std::string& from, const std::string& to) = 0;
  virtual bool removeExisting(const std::string& path) = 0;
  virtual bool linkExisting(const std::string& path, const std::string& link) = 0;
  virtual LockResult lockAt(const std::string& path) = 0;
  // Makes interruptions remove the marked files; called before the first mark.
  virtual void catchInterrupts() = 0;
  // The operating system's current directory into buffer, as getcwd fills it: null, with
  // errno set to ERANGE when the buffer is too small.
  virtual const char* readCurrentDirectory(char* buffer, std::size_t size) = 0;
};

}  // namespace kalvex

#endif
