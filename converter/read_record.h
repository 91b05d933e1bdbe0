// A host that passes every call to another and records the identity of each file whose
// identity the reader asks for: the project and options files it reads. The outputs of a run
// are checked against them, so that no input is replaced.
#ifndef KALVEX_READ_RECORD_H
#define KALVEX_READ_RECORD_H

#include <set>

#include "host/host.h"

namespace kalvex {

class ReadRecord : public Host {
 public:
  explicit ReadRecord(Host& host) : host_(host) {}
  bool wasRead(const FileIdentity& identity) const { return read_.count(identity) != 0; }

  std::optional<FileIdentity> identify(const std::string& path) override {
    std::optional<FileIdentity> identity = host_.identify(path);
    if (identity) read_.insert(*identity);
    return identity;
  }
  std::unique_ptr<std::istream> openRead(const std::string& path) override { return host_.openRead(path); }
  std::optional<std::string> findFile(const std::string& path) override { return host_.findFile(path); }
  std::unique_ptr<OutputFile> openWrite(const std::string& path) override { return host_.openWrite(path); }
  bool exists(const std::string& path) override { return host_.exists(path); }
  bool isFolder(const std::string& path) override { return host_.isFolder(path); }
  bool makeDirectory(const std::string& path) override { return host_.makeDirectory(path); }
  std::string currentDirectory() override { return host_.currentDirectory(); }
  bool makeDriveCurrent(const std::string& drive) override { return host_.makeDriveCurrent(drive); }
  std::string fromCommandLine(const std::string& word) override { return host_.fromCommandLine(word); }
  std::string toHostPath(const std::string& path) override { return host_.toHostPath(path); }
  bool replaceFile(const std::string& from, const std::string& to) override { return host_.replaceFile(from, to); }
  bool removeFile(const std::string& path) override { return host_.removeFile(path); }
  bool linkFile(const std::string& path, const std::string& link) override { return host_.linkFile(path, link); }
  std::string processId() override { return host_.processId(); }
  LockResult lockFile(const std::string& path) override { return host_.lockFile(path); }
  void unlockFile() override { host_.unlockFile(); }
  std::size_t removeOnInterrupt(const std::string& path) override { return host_.removeOnInterrupt(path); }
  void keepOnInterrupt(std::size_t mark) override { host_.keepOnInterrupt(mark); }
  void holdInterrupts(Interrupts state) override { host_.holdInterrupts(state); }
  std::optional<std::string> environmentVariable(const std::string& name) override {
    return host_.environmentVariable(name);
  }
  std::unique_ptr<DirectorySearch> makeSearch() override { return host_.makeSearch(); }

 private:
  Host& host_;
  std::set<FileIdentity> read_;
};

}  // namespace kalvex

#endif
