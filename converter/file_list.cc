#include "file_list.h"

#include <algorithm>
#include <stdexcept>

namespace kalvex {

// A path goes whole into the last block when it fits there; otherwise a new block is opened,
// twice as large as the last one up to a limit, and never smaller than the path. Small lists
// thus stay small, and a long one wastes at most part of its last block.
void FileList::push_back(std::string_view file) {
  if (file.size() > UINT32_MAX) throw std::length_error("path too long for the file list");
  if (blocks_.empty() || blocks_.back()->capacity() - blocks_.back()->size() < file.size()) {
    if (blocks_.size() == UINT32_MAX) throw std::length_error("too many paths for the file list");
    const std::size_t last = blocks_.empty() ? kFirstBlockSize / 2 : blocks_.back()->capacity();
    blocks_.push_back(std::make_unique<std::string>());
    blocks_.back()->reserve(std::max(std::min(2 * last, kLargestBlockSize), file.size()));
  }
  std::string& block = *blocks_.back();
  entries_.push_back({static_cast<std::uint32_t>(blocks_.size() - 1), static_cast<std::uint32_t>(block.size()),
                      static_cast<std::uint32_t>(file.size())});
  block.append(file);
}

std::string_view FileList::operator[](std::size_t index) const {
  const Entry& entry = entries_[index];
  return std::string_view(*blocks_[entry.block]).substr(entry.offset, entry.length);
}

}  // namespace kalvex
