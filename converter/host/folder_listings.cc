#include "host/folder_listings.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "text/ascii.h"

namespace kalvex {
namespace {

bool plainAscii(std::string_view name) {
  return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The position of the last "/" or "\\"; npos when there is none.
std::size_t lastSeparator(std::string_view path) {
  for (std::size_t at = path.size(); at-- > 0;) {
    if (path[at] == '/' || path[at] == '\\') return at;
  }
  return std::string_view::npos;
}

}  // namespace

bool FolderListings::answerableName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  return plainAscii(name);
}

bool FolderListings::Listing::holds(std::string_view lowerName) const {
  const char* base = names.data();
  const auto less = [base](std::uint32_t offset, std::string_view name) {
    return std::string_view(base + offset) < name;
  };
  const auto found = std::lower_bound(sorted.begin(), sorted.end(), lowerName, less);
  return found != sorted.end() && std::string_view(base + *found) == lowerName;
}

FolderListings::Listing FolderListings::list(std::string folder) {
  std::replace(folder.begin(), folder.end(), '\\', '/');
  Listing listing;
  DIR* directory = ::opendir(folder.c_str());
  if (directory == nullptr) {
    // A missing folder, or a file where a folder should be, holds nothing that could open.
    if (errno == ENOENT || errno == ENOTDIR) listing.state = Listing::State::kMissing;
    return listing;
  }
  listing.state = Listing::State::kListed;
  errno = 0;
  while (const dirent* entry = ::readdir(directory)) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    if (!plainAscii(name)) {
      listing.state = Listing::State::kUnknown;
      break;
    }
    listing.sorted.push_back(static_cast<std::uint32_t>(listing.names.size()));
    listing.names += lowerAscii(name);
    listing.names.push_back('\0');
  }
  if (errno != 0) listing.state = Listing::State::kUnknown;
  ::closedir(directory);
  if (listing.state != Listing::State::kListed || listing.names.size() > UINT32_MAX) return Listing{};
  const char* base = listing.names.data();
  std::sort(listing.sorted.begin(), listing.sorted.end(),
            [base](std::uint32_t a, std::uint32_t b) { return std::strcmp(base + a, base + b) < 0; });
  return listing;
}

// The entry of a folder asked about for the first time.
FolderListings::Listing& FolderListings::newEntry(std::string_view folder) {
  folderNames_.push_back(std::make_unique<std::string>(folder));
  Listing& listing = folders_[std::string_view(*folderNames_.back())];
  listing.state = Listing::State::kAskedOnce;
  return listing;
}

FolderListings::Listing& FolderListings::listingOf(std::string_view folder) {
  const auto found = folders_.find(folder);
  if (found == folders_.end()) return newEntry(folder);
  Listing& listing = found->second;
  if (listing.state == Listing::State::kAskedOnce) listing = list(std::string(folder));
  return listing;
}

std::optional<std::vector<std::string_view>> FolderListings::listedNames(std::string_view folder) {
  const auto found = folders_.find(folder);
  Listing& listing = found == folders_.end() ? newEntry(folder) : found->second;
  if (listing.state == Listing::State::kAskedOnce) listing = list(std::string(folder));
  if (listing.state == Listing::State::kMissing) return std::vector<std::string_view>{};
  if (listing.state != Listing::State::kListed) return std::nullopt;
  std::vector<std::string_view> names;
  names.reserve(listing.sorted.size());
  for (const std::uint32_t offset : listing.sorted) names.emplace_back(listing.names.data() + offset);
  return names;
}

bool FolderListings::certainlyAbsent(std::string_view path) {
  const std::size_t slash = lastSeparator(path);
  if (slash == std::string_view::npos) return false;
  const std::string_view name = path.substr(slash + 1);
  if (!answerableName(name)) return false;
  const Listing& listing = listingOf(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
  if (listing.state == Listing::State::kMissing) return true;
  if (listing.state != Listing::State::kListed) return false;
  return listing.sorted.empty() || !listing.holds(lowerAscii(name));
}

}  // namespace kalvex
