// Letter case on a POSIX host, for trees made on Windows: a path that names nothing as written
// is looked for as Windows would find it. Each component that does not exist as written is
// matched against its folder's listing ignoring ASCII case, and taken when exactly one name
// matches; when none or several do, the path names nothing.
#ifndef KALVEX_HOST_LETTER_CASE_H
#define KALVEX_HOST_LETTER_CASE_H

#include <sys/stat.h>

#include <istream>
#include <memory>
#include <optional>
#include <string>

#include "host/folder_listings.h"

namespace kalvex {

// Opens a backslash path for reading (null for a folder), looking it up ignoring case when it
// names nothing as written.
std::unique_ptr<std::istream> openIgnoringCase(const std::string& path, FolderListings& listings);

// The backslash path under which openIgnoringCase would open a file, found with the same look-up
// but without making a stream; nothing when it would not open.
std::optional<std::string> findIgnoringCase(const std::string& path, FolderListings& listings);

// stat() of a backslash path, looked up ignoring case when it names nothing as written; false
// when no file or folder is found.
bool statIgnoringCase(const std::string& path, FolderListings& listings, struct stat& info);

}  // namespace kalvex

#endif
