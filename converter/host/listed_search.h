// A directory search answered from folder listings on a POSIX host: an index from each listed
// name to the directories that hold it, so that a name no directory holds costs one lookup,
// and only the directories that may hold it are tried with a real open, in their order.
#ifndef KALVEX_HOST_LISTED_SEARCH_H
#define KALVEX_HOST_LISTED_SEARCH_H

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/folder_listings.h"
#include "host/host.h"

namespace kalvex {

class ListedSearch : public DirectorySearch {
 public:
  ListedSearch(Host& host, FolderListings& listings) : DirectorySearch(host), listings_(listings) {}
  // A relative text with a folder part, or a name a listing cannot answer for, is tried in
  // every directory.
  std::optional<std::string> firstThatOpens(const std::string& relative) override;

 private:
  void indexNewDirectories();
  // The directories that may hold the name, in their order: those whose listing holds it,
  // ignoring the case of ASCII letters, and those that cannot be listed.
  std::vector<std::uint32_t> mayHold(const std::string& name) const;

  FolderListings& listings_;
  std::uint64_t generation_ = 0;
  std::size_t indexed_ = 0;
  std::unordered_map<std::string, std::vector<std::uint32_t>> holders_;
  std::vector<std::uint32_t> unlisted_;
};

}  // namespace kalvex

#endif
