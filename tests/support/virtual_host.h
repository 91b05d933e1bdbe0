// An in-memory host for tests: drive letters with a current directory each, files and
// folders, failures on demand, and a record of what was opened and created. Paths are
// resolved the way a Windows desktop resolves them ("." and ".." and doubled separators
// are taken lexically); names are compared exactly unless a test asks to ignore ASCII letter
// case. The environment holds only the variables a test sets.
#ifndef KALVEX_TESTS_SUPPORT_VIRTUAL_HOST_H
#define KALVEX_TESTS_SUPPORT_VIRTUAL_HOST_H

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/host.h"

namespace kalvex {

class VirtualHost : public Host {
 public:
  // Starts with drive C, whose current directory is its root, as the current drive.
  VirtualHost();

  // Adds drive X with the given current directory (such as "D:\b"), creating its folders.
  void addDrive(char letter, const std::string& currentDirectory);
  // A drive that exists but can never be made current.
  void refuseDrive(char letter);
  // Sets the current directory of the path's drive (creating its folders) and makes that
  // drive current.
  void setCurrentDirectory(const std::string& path);

  // With kIgnored, a path that names nothing as written names the file or folder whose stored
  // path equals it ignoring ASCII case, and findFile answers with the stored spelling.
  enum class LetterCase { kExact, kIgnored };
  void setLetterCase(LetterCase letterCase) { letterCase_ = letterCase; }
  // Replaces the environment; names are compared exactly.
  void setEnvironment(std::map<std::string, std::string> variables) { environment_ = std::move(variables); }

  // Adds a file, creating its parent folders.
  void addFile(const std::string& path, const std::string& content);
  void addDirectory(const std::string& path);
  std::optional<std::string> fileContent(const std::string& path) const;
  bool isDirectory(const std::string& path) const;

  void refuseWrite(const std::string& path) { refusedWrites_.insert(key(path)); }
  // The file opens for writing, but every write to it fails (a full disk).
  void failWritesTo(const std::string& path) { failingWrites_.insert(key(path)); }
  void refuseDirectory(const std::string& path) { refusedDirectories_.insert(key(path)); }
  // Moving a file onto this path fails.
  void refuseReplace(const std::string& path) { refusedReplaces_.insert(key(path)); }

  // Reading this path runs out of memory: openRead raises std::bad_alloc.
  void exhaustMemoryAt(const std::string& path) { memoryExhausted_.insert(key(path)); }
  // Giving this path a second name fails (a file system without links).
  void refuseLink(const std::string& path) { refusedLinks_.insert(key(path)); }
  // Another process holds the lock on this path.
  void holdLockElsewhere(const std::string& path) { lockedElsewhere_.insert(key(path)); }
  // The lock file of this path cannot be made.
  void refuseLock(const std::string& path) { refusedLocks_.insert(key(path)); }
  // The path of the lock this host holds; empty when none.
  const std::string& heldLock() const { return heldLock_; }
  // The paths an interruption would remove now, in the order marked.
  std::vector<std::string> removedOnInterrupt() const;
  bool interruptsHeld() const { return interruptsHeld_; }

  // The temporary file that a run of this host writes for target.
  static std::string staged(const std::string& target) { return target + ".kalvex-4242"; }

  // The canonical form under which a path is stored, such as "C:\a\b".
  std::string key(const std::string& path) const;

  // Records, in call order, of the paths as they were passed in.
  const std::vector<std::string>& readsOpened() const { return readsOpened_; }
  const std::vector<std::string>& writesOpened() const { return writesOpened_; }
  const std::vector<std::string>& directoriesMade() const { return directoriesMade_; }

  std::unique_ptr<std::istream> openRead(const std::string& path) override;
  std::optional<std::string> findFile(const std::string& path) override;
  std::unique_ptr<OutputFile> openWrite(const std::string& path) override;
  bool exists(const std::string& path) override;
  bool isFolder(const std::string& path) override { return isDirectory(path); }
  bool makeDirectory(const std::string& path) override;
  std::optional<FileIdentity> identify(const std::string& path) override;
  std::string currentDirectory() override;
  bool makeDriveCurrent(const std::string& drive) override;
  std::string fromCommandLine(const std::string& word) override { return word; }
  std::string toHostPath(const std::string& path) override { return path; }
  bool replaceFile(const std::string& from, const std::string& to) override;
  bool removeFile(const std::string& path) override;
  bool linkFile(const std::string& path, const std::string& link) override;
  std::string processId() override { return "4242"; }
  LockResult lockFile(const std::string& path) override;
  void unlockFile() override;
  std::size_t removeOnInterrupt(const std::string& path) override;
  void keepOnInterrupt(std::size_t mark) override { marked_.at(mark).second = false; }
  void holdInterrupts(Interrupts state) override { interruptsHeld_ = state == Interrupts::kHeld; }
  std::optional<std::string> environmentVariable(const std::string& name) override;

 private:
  static std::string parentOf(const std::string& key);
  // The key as written, before letter case is looked at.
  std::string exactKey(const std::string& path) const;
  // The stored key that equals k ignoring case, folder by folder; k itself when none does.
  std::string storedSpelling(const std::string& k) const;
  void makeFolders(const std::string& key);

  char currentDrive_ = 'C';
  std::map<char, std::string> driveDirectories_;  // drive letter to its current directory key
  std::set<char> refusedDrives_;
  std::map<std::string, std::string> files_;
  std::set<std::string> directories_;
  std::map<std::string, std::uint64_t> nodes_;
  std::set<std::string> refusedWrites_, failingWrites_, refusedDirectories_, refusedReplaces_;
  std::set<std::string> refusedLinks_, lockedElsewhere_, refusedLocks_, memoryExhausted_;
  std::string heldLock_;
  std::vector<std::pair<std::string, bool>> marked_;
  bool interruptsHeld_ = false;
  LetterCase letterCase_ = LetterCase::kExact;
  std::map<std::string, std::string> environment_;
  std::vector<std::string> readsOpened_, writesOpened_, directoriesMade_;
};

}  // namespace kalvex

#endif
