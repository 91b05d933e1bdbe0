#include "support/virtual_host.h"

#include <new>
#include <sstream>
#include <streambuf>
#include <string_view>
#include <utility>

namespace kalvex {
namespace {

std::string driveRoot(char letter) { return std::string(1, letter) + ":\\"; }

// Appends every byte straight to the stored file, or fails every write.
class StoredFileBuffer : public std::streambuf {
 public:
  StoredFileBuffer(std::string& target, bool failing) : target_(target), failing_(failing) {}

 protected:
  int_type overflow(int_type ch) override {
    if (failing_) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) target_.push_back(traits_type::to_char_type(ch));
    return traits_type::not_eof(ch);
  }
  std::streamsize xsputn(const char* data, std::streamsize count) override {
    if (failing_) return 0;
    target_.append(data, static_cast<std::size_t>(count));
    return count;
  }

 private:
  std::string& target_;
  bool failing_;
};

class StoredFile : public OutputFile {
 public:
  StoredFile(std::string& target, bool failing) : buffer_(target, failing), stream_(&buffer_) {}
  std::ostream& stream() override { return stream_; }
  bool close() override {
    stream_.flush();
    return !stream_.fail();
  }

 private:
  StoredFileBuffer buffer_;
  std::ostream stream_;
};

}  // namespace

VirtualHost::VirtualHost() { addDrive('C', "C:\\"); }

void VirtualHost::addDrive(char letter, const std::string& currentDirectory) {
  directories_.insert(driveRoot(letter));
  driveDirectories_[letter] = driveRoot(letter);
  const std::string k = key(currentDirectory);
  makeFolders(k);
  driveDirectories_[letter] = k;
}

void VirtualHost::refuseDrive(char letter) { refusedDrives_.insert(letter); }

void VirtualHost::setCurrentDirectory(const std::string& path) {
  const std::string k = key(path);
  if (driveDirectories_.count(k[0]) == 0) addDrive(k[0], k);
  makeFolders(k);
  driveDirectories_[k[0]] = k;
  currentDrive_ = k[0];
}

std::string VirtualHost::parentOf(const std::string& key) {
  const std::size_t slash = key.rfind('\\');
  if (slash == std::string::npos || slash <= 2) return key.substr(0, 3);
  return key.substr(0, slash);
}

void VirtualHost::makeFolders(const std::string& k) {
  std::string current = k;
  std::vector<std::string> chain;
  while (directories_.count(current) == 0) {
    chain.push_back(current);
    const std::string parent = parentOf(current);
    if (parent == current) break;
    current = parent;
  }
  for (const std::string& folder : chain) {
    directories_.insert(folder);
    nodes_.emplace(folder, nodes_.size() + 1);
  }
}

void VirtualHost::addFile(const std::string& path, const std::string& content) {
  const std::string k = key(path);
  makeFolders(parentOf(k));
  files_[k] = content;
  nodes_.emplace(k, nodes_.size() + 1);
}

void VirtualHost::addDirectory(const std::string& path) { makeFolders(key(path)); }

std::optional<std::string> VirtualHost::fileContent(const std::string& path) const {
  auto it = files_.find(key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

bool VirtualHost::isDirectory(const std::string& path) const { return directories_.count(key(path)) != 0; }

std::unique_ptr<std::istream> VirtualHost::openRead(const std::string& path) {
  readsOpened_.push_back(path);
  const std::string k = key(path);
  if (memoryExhausted_.count(k) != 0) throw std::bad_alloc();
  auto it = files_.find(k);
  if (it == files_.end()) return nullptr;
  return std::make_unique<std::istringstream>(it->second);
}

std::unique_ptr<OutputFile> VirtualHost::openWrite(const std::string& path) {
  writesOpened_.push_back(path);
  const std::string k = key(path);
  if (directories_.count(k) != 0 || directories_.count(parentOf(k)) == 0 || refusedWrites_.count(k) != 0) {
    return nullptr;
  }
  std::string& stored = files_[k];
  stored.clear();
  nodes_.emplace(k, nodes_.size() + 1);
  return std::make_unique<StoredFile>(stored, failingWrites_.count(k) != 0);
}

bool VirtualHost::exists(const std::string& path) {
  const std::string k = key(path);
  return files_.count(k) != 0 || directories_.count(k) != 0;
}

bool VirtualHost::makeDirectory(const std::string& path) {
  const std::string k = key(path);
  if (files_.count(k) != 0 || directories_.count(k) != 0 || refusedDirectories_.count(k) != 0 ||
      directories_.count(parentOf(k)) == 0) {
    return false;
  }
  directories_.insert(k);
  nodes_.emplace(k, nodes_.size() + 1);
  directoriesMade_.push_back(path);
  return true;
}

bool VirtualHost::replaceFile(const std::string& from, const std::string& to) {
  const std::string source = key(from);
  const std::string target = key(to);
  auto it = files_.find(source);
  if (it == files_.end() || directories_.count(target) != 0 || directories_.count(parentOf(target)) == 0 ||
      refusedReplaces_.count(target) != 0) {
    return false;
  }
  if (source == target) return true;
  // Node numbers are never taken back, so that a later file gets a number of its own.
  files_[target] = std::move(it->second);
  nodes_[target] = nodes_[source];
  files_.erase(source);
  return true;
}

bool VirtualHost::removeFile(const std::string& path) {
  const std::string k = key(path);
  return files_.erase(k) != 0;
}

bool VirtualHost::linkFile(const std::string& path, const std::string& link) {
  const std::string source = key(path);
  const std::string target = key(link);
  auto it = files_.find(source);
  if (it == files_.end() || exists(link) || directories_.count(parentOf(target)) == 0 ||
      refusedLinks_.count(source) != 0) {
    return false;
  }
  files_[target] = it->second;
  nodes_[target] = nodes_[source];
  return true;
}

LockResult VirtualHost::lockFile(const std::string& path) {
  const std::string k = key(path);
  if (lockedElsewhere_.count(k) != 0) return LockResult::kInUse;
  if (refusedLocks_.count(k) != 0 || directories_.count(parentOf(k)) == 0 || directories_.count(k) != 0) {
    return LockResult::kUnavailable;
  }
  files_.emplace(k, std::string());
  nodes_.emplace(k, nodes_.size() + 1);
  heldLock_ = path;
  return LockResult::kLocked;
}

void VirtualHost::unlockFile() {
  if (heldLock_.empty()) return;
  files_.erase(key(heldLock_));
  heldLock_.clear();
}

std::size_t VirtualHost::removeOnInterrupt(const std::string& path) {
  marked_.emplace_back(path, true);
  return marked_.size() - 1;
}

std::vector<std::string> VirtualHost::removedOnInterrupt() const {
  std::vector<std::string> paths;
  for (const auto& [path, live] : marked_) {
    if (live) paths.push_back(path);
  }
  return paths;
}

std::optional<FileIdentity> VirtualHost::identify(const std::string& path) {
  auto it = nodes_.find(key(path));
  if (it == nodes_.end() || !exists(path)) return std::nullopt;
  return FileIdentity{0, it->second};
}

std::string VirtualHost::currentDirectory() { return driveDirectories_.at(currentDrive_); }

bool VirtualHost::makeDriveCurrent(const std::string& drive) {
  if (drive.size() < 2 || drive[1] != ':') return false;
  const char letter = drive[0];
  if (driveDirectories_.count(letter) == 0 || refusedDrives_.count(letter) != 0) return false;
  currentDrive_ = letter;
  return true;
}

}  // namespace kalvex
