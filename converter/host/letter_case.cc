#include "host/letter_case.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "host/descriptor_input.h"

namespace kalvex {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool existsAsWritten(std::string_view path) {
  struct stat info;
  return ::stat(posixPath(path).c_str(), &info) == 0;
}

// The name that stands for component in folder: itself where it exists as written, else the
// one listed name that equals it ignoring ASCII case.
std::optional<std::string_view> matchIn(std::string_view folder, std::string_view component, FolderListings& listings) {
  if (component.empty() || component == "." || component == "..") return component;
  const std::vector<std::string_view> names = listings.namesIgnoringCase(folder, component);
  if (std::find(names.begin(), names.end(), component) != names.end()) return component;
  if (names.size() != 1) return std::nullopt;
  return names.front();
}

// The system path under which opens(host path) succeeds: path as written, else as spelled on
// disk ignoring case when it names nothing as written.
template <typename Opens>
std::optional<std::string> spellingThatOpens(const std::string& path, FolderListings& listings, Opens opens) {
  errno = 0;
  if (opens(posixPath(path))) return path;
  if (!namesNothing(errno)) return std::nullopt;
  std::optional<std::string> onDisk = spelledOnDisk(path, listings);
  if (!onDisk || !opens(posixPath(*onDisk))) return std::nullopt;
  return onDisk;
}

}  // namespace

bool namesNothing(int error) { return error == ENOENT || error == ENOTDIR; }

std::optional<std::string> spelledOnDisk(std::string_view path, FolderListings& listings) {
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
    const std::optional<std::string_view> name = matchIn(folder, path.substr(from, end - from), listings);
    if (!name) return std::nullopt;
    spelled.append(*name);
    if (end == path.size()) break;
    spelled.push_back(path[end]);
    from = end + 1;
  }
  return spelled;
}

std::unique_ptr<std::istream> openIgnoringCase(const std::string& path, FolderListings& listings) {
  std::unique_ptr<std::istream> file;
  spellingThatOpens(path, listings, [&file](const std::string& hostPath) {
    file = openDescriptorInput(hostPath);
    return file != nullptr;
  });
  return file;
}

std::optional<std::string> findIgnoringCase(const std::string& path, FolderListings& listings) {
  return spellingThatOpens(path, listings, opensForReading);
}

bool statIgnoringCase(const std::string& path, FolderListings& listings, struct stat& info) {
  if (::stat(posixPath(path).c_str(), &info) == 0) return true;
  if (!namesNothing(errno)) return false;
  const std::optional<std::string> onDisk = spelledOnDisk(path, listings);
  return onDisk && ::stat(posixPath(*onDisk).c_str(), &info) == 0;
}

}  // namespace kalvex
