#include "host/host.h"

namespace kalvex {

std::optional<std::string> DirectorySearch::firstThatOpens(const std::string& relative) {
  for (std::size_t index = 0; index < directories_.size(); ++index) {
    if (std::optional<std::string> found = opensIn(index, relative)) return found;
  }
  return std::nullopt;
}

std::optional<std::string> DirectorySearch::opensIn(std::size_t index, const std::string& relative) {
  return host_.findFile(directories_[index] + "\\" + relative);
}

}  // namespace kalvex
