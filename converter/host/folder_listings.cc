#include "host/folder_listings.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include <sys/stat.h>

#include "text/ascii.h"
#include "text/lexical_path.h"

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

// Reads every name of an open folder into the listing; false on a read error.
bool readNames(DIR* directory, std::string& lower, std::string& spelled, std::vector<std::uint32_t>& offsets,
               bool& plain) {
  errno = 0;
  while (const dirent* entry = ::readdir(directory)) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    plain = plain && plainAscii(name);
    offsets.push_back(static_cast<std::uint32_t>(lower.size()));
    // Each name's NUL is followed by its type, as the listing gives it.
    const char type = static_cast<char>(entry->d_type);
    lower += lowerAscii(name);
    lower.append(1, '\0').append(1, type);
    spelled.append(name.data(), name.size()).append(1, '\0').append(1, type);
  }
  return errno == 0;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool existsAsWritten(std::string_view path) {
  struct stat info;
  return ::stat(withSeparator(std::string(path), '/').c_str(), &info) == 0;
}

}  // namespace

bool namesNothing(int error) { return error == ENOENT || error == ENOTDIR; }

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

FolderListings::Listing FolderListings::list(const std::string& folder) {
  Listing listing;
  DIR* directory = ::opendir(withSeparator(folder, '/').c_str());
  if (directory == nullptr && namesNothing(errno)) {
    // A folder that does not exist as written may exist in another letter case.
    std::optional<std::string> onDisk = spelledOnDisk(folder);
    errno = ENOENT;
    if (onDisk) directory = ::opendir(withSeparator(*onDisk, '/').c_str());
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

FolderListings::Listing& FolderListings::entryOf(std::string_view folder, FirstQuestion first) {
  if (lastEntry_ == nullptr || folder != lastFolder_) {
    auto found = folders_.find(folder);
    const bool isNew = found == folders_.end();
    if (isNew) {
      folderNames_.push_back(std::make_unique<std::string>(folder));
      found = folders_.emplace(std::string_view(*folderNames_.back()), Listing{}).first;
      found->second.state = Listing::State::kAskedOnce;
    }
    // The map's entries stay in place while it grows.
    lastFolder_ = found->first;
    lastEntry_ = &found->second;
    if (isNew && first == FirstQuestion::kWaits) return *lastEntry_;
  }
  Listing& listing = *lastEntry_;
  if (listing.state == Listing::State::kAskedOnce) listing = list(std::string(folder));
  return listing;
}

std::optional<std::vector<std::string_view>> FolderListings::listedNames(std::string_view folder) {
  const Listing& listing = entryOf(folder, FirstQuestion::kLists);
  if (listing.state == Listing::State::kMissing) return std::vector<std::string_view>{};
  if (listing.state != Listing::State::kListed || !listing.provesAbsence) return std::nullopt;
  std::vector<std::string_view> names;
  names.reserve(listing.sorted.size());
  for (const std::uint32_t offset : listing.sorted) names.emplace_back(listing.names.data() + offset);
  return names;
}

std::vector<std::string_view> FolderListings::namesIgnoringCase(std::string_view folder, std::string_view name) {
  const Listing& listing = entryOf(folder, FirstQuestion::kLists);
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

FolderListings::Listed FolderListings::listedAs(std::string_view path) {
  const std::size_t slash = lastSeparator(path);
  if (slash == std::string_view::npos) return Listed::kCannotTell;
  const std::string_view name = path.substr(slash + 1);
  if (!answerableName(name)) return Listed::kCannotTell;
  const std::string_view folder = slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
  const Listing& listing = entryOf(folder, FirstQuestion::kWaits);
  if (listing.state == Listing::State::kMissing) return Listed::kAbsent;
  if (listing.state != Listing::State::kListed || !listing.provesAbsence) return Listed::kCannotTell;
  const std::string lowerName = lowerAscii(name);
  const char* base = listing.names.data();
  const char* spelled = listing.spelled.empty() ? base : listing.spelled.data();
  bool listed = false;
  for (auto at = listing.firstNotBelow(lowerName);
       at != listing.sorted.end() && std::string_view(base + *at) == lowerName; ++at) {
    listed = true;
    if (std::string_view(spelled + *at) == name && spelled[*at + name.size() + 1] == static_cast<char>(DT_REG)) {
      return Listed::kRegularFile;
    }
  }
  return listed ? Listed::kCannotTell : Listed::kAbsent;
}

std::optional<std::string_view> FolderListings::matchIn(std::string_view folder, std::string_view component) {
  if (component.empty() || component == "." || component == "..") return component;
  const std::vector<std::string_view> names = namesIgnoringCase(folder, component);
  if (std::find(names.begin(), names.end(), component) != names.end()) return component;
  if (names.size() != 1) return std::nullopt;
  return names.front();
}

std::optional<std::string> FolderListings::spelledOnDisk(std::string_view path) {
  std::vector<std::size_t> separators;
  for (std::size_t at = 0; at < path.size(); ++at) {
    if (isSeparator(path[at])) separators.push_back(at);
  }
  // The longest leading folder that exists as written is taken whole; a path from the root
  // always has one.
  std::size_t kept = separators.size();
  while (kept > 0 && separators[kept - 1] > 0 && !existsAsWritten(path.substr(0, separators[kept - 1]))) --kept;
  std::size_t from = kept == 0 ? 0 : separators[kept - 1] + 1;
  std::string spelled(path.substr(0, from));
  while (from <= path.size()) {
    const std::size_t end = std::min(path.find_first_of("/\\", from), path.size());
    // spelled ends in the separator before the component, unless it is empty.
    const std::string folder = spelled.empty()       ? std::string(".")
                               : spelled.size() == 1 ? spelled
                                                     : spelled.substr(0, spelled.size() - 1);
    const std::optional<std::string_view> name = matchIn(folder, path.substr(from, end - from));
    if (!name) return std::nullopt;
    spelled.append(*name);
    if (end == path.size()) break;
    spelled.push_back(path[end]);
    from = end + 1;
  }
  return spelled;
}

}  // namespace kalvex
