// The host on POSIX: a backslash path is handed over as a host path, with "/" for every
// "\", and a word from the command line or the current directory comes back with "\" for
// every "/". There are no drives. Names that a folder's listing does not hold are answered as absent without an open;
// a path that names nothing as written is looked up ignoring letter case (letter_case.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>

#include "host/descriptor_input.h"
#include "host/environment_block.h"
#include "host/folder_listings.h"
#include "host/letter_case.h"
#include "host/listed_search.h"
#include "host/operating_system_host.h"
#include "host/posix_run_guard.h"
#include "text/lexical_path.h"

extern char** environ;

namespace kalvex {
namespace {

class PosixHost : public OperatingSystemHost {
 public:
  std::string toHostPath(const std::string& path) override { return withSeparator(path, '/'); }
  // A POSIX host has no drives: the process's current directory never changes.
  bool makeDriveCurrent(const std::string&) override { return false; }
  std::unique_ptr<DirectorySearch> makeSearch() override { return std::make_unique<ListedSearch>(*this, listings_); }
  std::string processId() override { return std::to_string(static_cast<long long>(::getpid())); }
  void unlockFile() override { lock_.release(); }
  void holdInterrupts(Interrupts state) override { holdPosixInterrupts(state == Interrupts::kHeld); }
  std::optional<std::string> environmentVariable(const std::string& name) override {
    return findVariable(environ, name, NameCase::kExact);
  }

 protected:
  std::string fromHostPath(std::string path) override { return withSeparator(std::move(path), '\\'); }
  // Listings are made anew after anything was created.
  void beforeChange() override { listings_.forgetAll(); }

  std::unique_ptr<std::istream> openExisting(const std::string& path) override {
    if (listings_.certainlyAbsent(path)) return nullptr;
    return openIgnoringCase(path, listings_);
  }
  std::optional<std::string> findExisting(const std::string& path) override {
    const FolderListings::Listed listed = listings_.listedAs(path);
    if (listed == FolderListings::Listed::kAbsent) return std::nullopt;
    if (listed == FolderListings::Listed::kRegularFile && listedFileOpensForReading(toHostPath(path))) return path;
    return findIgnoringCase(path, listings_);
  }
  bool existsAt(const std::string& path) override {
    struct stat info;
    return ::stat(toHostPath(path).c_str(), &info) == 0;
  }
  bool folderAt(const std::string& path) override {
    struct stat info;
    return ::stat(toHostPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }
  bool makeFolder(const std::string& path) override { return ::mkdir(toHostPath(path).c_str(), 0777) == 0; }
  std::optional<FileIdentity> identityOf(const std::string& path) override {
    struct stat info;
    if (!statIgnoringCase(path, listings_, info)) return std::nullopt;
    FileIdentity id;
    id.device = static_cast<std::uint64_t>(info.st_dev);
    id.node = static_cast<std::uint64_t>(info.st_ino);
    return id;
  }
  bool moveOnto(const std::string& from, const std::string& to) override {
    return std::rename(toHostPath(from).c_str(), toHostPath(to).c_str()) == 0;
  }
  bool removeExisting(const std::string& path) override { return ::unlink(toHostPath(path).c_str()) == 0; }
  // linkat without AT_SYMLINK_FOLLOW links a symbolic link itself.
  bool linkExisting(const std::string& path, const std::string& link) override {
    return ::linkat(AT_FDCWD, toHostPath(path).c_str(), AT_FDCWD, toHostPath(link).c_str(), 0) == 0;
  }
  LockResult lockAt(const std::string& path) override { return lock_.take(toHostPath(path)); }
  void catchInterrupts() override { kalvex::catchInterrupts(); }
  const char* readCurrentDirectory(char* buffer, std::size_t size) override { return ::getcwd(buffer, size); }

 private:
  FolderListings listings_;
  PosixLock lock_;
};

}  // namespace

std::unique_ptr<Host> makeOperatingSystemHost() { return std::make_unique<PosixHost>(); }

}  // namespace kalvex
