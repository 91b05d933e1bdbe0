#include "host/listed_search.h"

#include <algorithm>
#include <iterator>

#include "text/ascii.h"

namespace kalvex {

std::optional<std::string> ListedSearch::firstThatOpens(const std::string& relative) {
  if (directories_.empty()) return std::nullopt;
  if (relative.find_first_of("/\\") != std::string::npos || !FolderListings::answerableName(relative)) {
    return DirectorySearch::firstThatOpens(relative);
  }
  indexNewDirectories();
  for (const std::uint32_t index : mayHold(relative)) {
    if (std::optional<std::string> found = opensIn(index, relative)) return found;
  }
  return std::nullopt;
}

// Listings made before something on the file system changed are dropped with the index.
void ListedSearch::indexNewDirectories() {
  if (generation_ != listings_.generation()) {
    generation_ = listings_.generation();
    indexed_ = 0;
    holders_.clear();
    unlisted_.clear();
  }
  for (; indexed_ < directories_.size(); ++indexed_) {
    const auto index = static_cast<std::uint32_t>(indexed_);
    const std::optional<std::vector<std::string_view>> names = listings_.listedNames(directories_[indexed_]);
    if (!names) {
      unlisted_.push_back(index);
      continue;
    }
    for (const std::string_view name : *names) {
      std::vector<std::uint32_t>& holders = holders_[std::string(name)];
      // Names that differ only in case are listed apart but held once.
      if (holders.empty() || holders.back() != index) holders.push_back(index);
    }
  }
}

std::vector<std::uint32_t> ListedSearch::mayHold(const std::string& name) const {
  const auto found = holders_.find(lowerAscii(name));
  if (found == holders_.end()) return unlisted_;
  std::vector<std::uint32_t> merged;
  std::merge(found->second.begin(), found->second.end(), unlisted_.begin(), unlisted_.end(),
             std::back_inserter(merged));
  return merged;
}

}  // namespace kalvex
