#include "host/folder_listings.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "host/letter_case.h"
#include "text/ascii.h"

namespace kalvex {

std::string posixPath(std::string_view path) {
  std::string posix(path);
  const std::size_t first = posix.find('\\');
  if (first != std::string::npos)
    std::replace(posix.begin() + static_cast<std::ptrdiff_t>(first), posix.end(), '\\', '/');
  return posix;
}
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

// Reads every name of an open folder into the listing; false on a read error.
bool readNames(DIR* directory, std::string& lower, std::string& spelled, std::vector<std::uint32_t>& offsets,
               bool& plain) {
  errno = 0;
  while (const dirent* entry = ::readdir(directory)) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    plain = plain && plainAscii(name);
    offsets.push_back(static_cast<std::uint32_t>(lower.size()));
    lower += lowerAscii(name);
    lower.push_back('\0');
    spelled.append(name.data(), name.size()).push_back('\0');
  }
  return errno == 0;
}

}  // namespace

bool FolderListings::answerableName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  return plainAscii(name);
}

std::vector<std::uint32_t>::const_iterator FolderListings::Listing::firstNotBelow(std::string_view lowerName) const {
  const char* base = names.data();
  const auto less = [base](std::uint32_t offset, std::string_view name) {
    return std::string_view(base + offset) < name;
  };
  return std::lower_bound(sorted.begin(), sorted.end(), lowerName, less);
}

bool FolderListings::Listing::holds(std::string_view lowerName) const {
  const auto found = firstNotBelow(lowerName);
  return found != sorted.end() && std::string_view(names.data() + *found) == lowerName;
}

FolderListings::Listing FolderListings::list(const std::string& folder) {
  Listing listing;
  DIR* directory = ::opendir(posixPath(folder).c_str());
  if (directory == nullptr && namesNothing(errno)) {
    // A folder that does not exist as written may exist in another letter case.
    std::optional<std::string> onDisk = spelledOnDisk(folder, *this);
    errno = ENOENT;
    if (onDisk) directory = ::opendir(posixPath(*onDisk).c_str());
  }
  if (directory == nullptr) {
    // A missing folder, or a file where a folder should be, holds nothing that could open.
    if (namesNothing(errno)) listing.state = Listing::State::kMissing;
    return listing;
  }
  listing.state = Listing::State::kListed;
  const bool read = readNames(directory, listing.names, listing.spelled, listing.sorted, listing.provesAbsence);
  ::closedir(directory);
  if (!read || listing.names.size() > UINT32_MAX) return Listing{};
  if (listing.spelled == listing.names) std::string().swap(listing.spelled);
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

FolderListings::Listing& FolderListings::listedNow(std::string_view folder) {
  const auto found = folders_.find(folder);
  Listing& listing = found == folders_.end() ? newEntry(folder) : found->second;
  if (listing.state == Listing::State::kAskedOnce) listing = list(std::string(folder));
  return listing;
}

std::optional<std::vector<std::string_view>> FolderListings::listedNames(std::string_view folder) {
  const Listing& listing = listedNow(folder);
  if (listing.state == Listing::State::kMissing) return std::vector<std::string_view>{};
  if (listing.state != Listing::State::kListed || !listing.provesAbsence) return std::nullopt;
  std::vector<std::string_view> names;
  names.reserve(listing.sorted.size());
  for (const std::uint32_t offset : listing.sorted) names.emplace_back(listing.names.data() + offset);
  return names;
}

std::vector<std::string_view> FolderListings::namesIgnoringCase(std::string_view folder, std::string_view name) {
  const Listing& listing = listedNow(folder);
  std::vector<std::string_view> names;
  if (listing.state != Listing::State::kListed) return names;
  const std::string lowerName = lowerAscii(name);
  const char* base = listing.names.data();
  const char* spelled = listing.spelled.empty() ? base : listing.spelled.data();
  for (auto at = listing.firstNotBelow(lowerName);
       at != listing.sorted.end() && std::string_view(base + *at) == lowerName; ++at) {
    names.emplace_back(spelled + *at);
  }
  return names;
}

bool FolderListings::certainlyAbsent(std::string_view path) {
  const std::size_t slash = lastSeparator(path);
  if (slash == std::string_view::npos) return false;
  const std::string_view name = path.substr(slash + 1);
  if (!answerableName(name)) return false;
  const Listing& listing = listingOf(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
  if (listing.state == Listing::State::kMissing) return true;
  if (listing.state != Listing::State::kListed || !listing.provesAbsence) return false;
  return listing.sorted.empty() || !listing.holds(lowerAscii(name));
}

}  // namespace kalvex
