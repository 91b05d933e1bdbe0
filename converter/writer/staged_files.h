// The files a run writes, all or nothing. Each is written to "<target>.kalvex-<process id>"
// beside its target; moveAll() and move() put them onto their targets, keeping each earlier
// target under a second name until confirm() drops it or restore() puts it back. Temporary
// files are marked for removal on an interruption from before they exist until they are moved,
// and interruptions wait from the first move until confirm() or restore(). Destroying the set
// restores what was moved and not confirmed and removes every temporary file left.
#ifndef KALVEX_WRITER_STAGED_FILES_H
#define KALVEX_WRITER_STAGED_FILES_H

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/host.h"

namespace kalvex {

class StagedFiles {
 public:
  explicit StagedFiles(Host& host);
  ~StagedFiles();
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Creates or truncates the temporary file of target; raises IOERROR::kCannotWriteFile with
  // target when it cannot be made.
  std::unique_ptr<OutputFile> open(const std::string& target);
  // Whether a file of that path exists once the files are moved: written here or on disk.
  bool exists(const std::string& target);
  // Whether this run writes the file of that path: opened here and not discarded.
  bool writes(const std::string& target) const;
  // Moves every file but except's onto its target, in the order first opened. When one
  // cannot be moved, puts back those moved and raises IOERROR::kCannotWriteFile with it.
  void moveAll(const std::string& except);
  // Moves the file of target alone, the same way.
  void move(const std::string& target);
  // Removes the temporary file of every target but except, which are then not moved.
  void discardAll(const std::string& except);
  void confirm();
  void restore();

 private:
  struct Entry {
    std::string target;
    std::string temporary;
    std::size_t mark = 0;
    bool moved = false;
    bool kept = false;  // the earlier target is named temporary + "-kept"
    bool removed = false;
  };
  bool moveEntry(Entry& entry);
  void moveOrRestore(Entry& entry);
  void hold();
  void release();

  Host& host_;
  std::string suffix_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> index_;
  std::vector<std::size_t> moved_;
  bool holding_ = false;
};

}  // namespace kalvex

#endif
