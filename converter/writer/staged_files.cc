#include "writer/staged_files.h"

#include "errors.h"

namespace kalvex {
namespace {

std::string keptName(const std::string& temporary) { return temporary + "-kept"; }

}  // namespace

StagedFiles::StagedFiles(Host& host) : host_(host) {}

StagedFiles::~StagedFiles() {
  restore();
  discardAll(std::string());
}

std::unique_ptr<OutputFile> StagedFiles::open(const std::string& target) {
  if (suffix_.empty()) suffix_ = ".kalvex-" + host_.processId();
  auto [at, added] = index_.emplace(target, entries_.size());
  if (added) {
    Entry entry;
    entry.target = target;
    entry.temporary = target + suffix_;
    // Marked before it exists, so that no interruption leaves it behind.
    entry.mark = host_.removeOnInterrupt(entry.temporary);
    entries_.push_back(std::move(entry));
  }
  Entry& entry = entries_[at->second];
  entry.removed = false;
  // A folder in the target's place fails here, where the file is written, not at the move.
  if (host_.isFolder(target)) throw IOERROR{IOERROR::kCannotWriteFile, target};
  std::unique_ptr<OutputFile> file = host_.openWrite(entry.temporary);
  if (!file) throw IOERROR{IOERROR::kCannotWriteFile, target};
  return file;
}

bool StagedFiles::exists(const std::string& target) { return writes(target) || host_.exists(target); }

bool StagedFiles::writes(const std::string& target) const {
  const auto at = index_.find(target);
  return at != index_.end() && !entries_[at->second].removed;
}

void StagedFiles::moveAll(const std::string& except) {
  hold();
  for (Entry& entry : entries_) {
    if (!entry.moved && !entry.removed && entry.target != except) moveOrRestore(entry);
  }
}

void StagedFiles::move(const std::string& target) {
  const auto at = index_.find(target);
  if (at == index_.end() || entries_[at->second].moved || entries_[at->second].removed) return;
  hold();
  moveOrRestore(entries_[at->second]);
}

void StagedFiles::discardAll(const std::string& except) {
  for (Entry& entry : entries_) {
    if (entry.moved || entry.removed || entry.target == except) continue;
    host_.removeFile(entry.temporary);
    host_.keepOnInterrupt(entry.mark);
    entry.removed = true;
  }
}

void StagedFiles::moveOrRestore(Entry& entry) {
  if (moveEntry(entry)) return;
  restore();
  throw IOERROR{IOERROR::kCannotWriteFile, entry.target};
}

// The earlier target gets a second name first, so that it is never missing; where the file
// system has no links, an earlier regular file is moved aside instead.
bool StagedFiles::moveEntry(Entry& entry) {
  const std::string kept = keptName(entry.temporary);
  const bool linked = host_.linkFile(entry.target, kept);
  entry.kept = linked;
  if (!linked && host_.openRead(entry.target)) {
    if (!host_.replaceFile(entry.target, kept)) return false;
    entry.kept = true;
  }
  if (!host_.replaceFile(entry.temporary, entry.target)) {
    // A link leaves the target as it was; a file moved aside goes back.
    if (linked) {
      host_.removeFile(kept);
    } else if (entry.kept) {
      host_.replaceFile(kept, entry.target);
    }
    entry.kept = false;
    return false;
  }
  entry.moved = true;
  host_.keepOnInterrupt(entry.mark);
  moved_.push_back(static_cast<std::size_t>(&entry - entries_.data()));
  return true;
}

void StagedFiles::confirm() {
  for (std::size_t index : moved_) {
    if (entries_[index].kept) host_.removeFile(keptName(entries_[index].temporary));
  }
  moved_.clear();
  release();
}

// Last moved, first put back.
void StagedFiles::restore() {
  for (auto it = moved_.rbegin(); it != moved_.rend(); ++it) {
    Entry& entry = entries_[*it];
    if (entry.kept) {
      host_.replaceFile(keptName(entry.temporary), entry.target);
    } else {
      host_.removeFile(entry.target);
    }
    entry.moved = false;
    entry.removed = true;
  }
  moved_.clear();
  release();
}

void StagedFiles::hold() {
  if (holding_) return;
  host_.holdInterrupts(Interrupts::kHeld);
  holding_ = true;
}

void StagedFiles::release() {
  if (!holding_) return;
  host_.holdInterrupts(Interrupts::kReleased);
  holding_ = false;
}

}  // namespace kalvex
