#include "host/letter_case.h"

#include <cerrno>

#include "host/descriptor_input.h"
#include "text/lexical_path.h"

namespace kalvex {
namespace {

// The backslash path under which opens(host path) succeeds: path as written, else as spelled on
// disk ignoring case when it names nothing as written.
template <typename Opens>
std::optional<std::string> spellingThatOpens(const std::string& path, FolderListings& listings, Opens opens) {
  errno = 0;
  if (opens(withSeparator(path, '/'))) return path;
  if (!namesNothing(errno)) return std::nullopt;
  std::optional<std::string> onDisk = listings.spelledOnDisk(path);
  if (!onDisk || !opens(withSeparator(*onDisk, '/'))) return std::nullopt;
  return onDisk;
}

}  // namespace

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
  if (::stat(withSeparator(path, '/').c_str(), &info) == 0) return true;
  if (!namesNothing(errno)) return false;
  const std::optional<std::string> onDisk = listings.spelledOnDisk(path);
  return onDisk && ::stat(withSeparator(*onDisk, '/').c_str(), &info) == 0;
}

}  // namespace kalvex
