// The paths that the writer builds for a group. Every path is joined with one backslash and
// never normalised. A group's parent path is the names of its ancestors from the root down,
// joined with backslashes, and empty for the root.
#ifndef KALVEX_WRITER_GROUP_PATHS_H
#define KALVEX_WRITER_GROUP_PATHS_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kalvex {

class ProjectGroup;

// The base folder of a group: the destination folder, followed by a backslash and the group's
// parent path unless that is empty.
std::string baseFolder(const std::string& destFolder, const std::string& parentPath);
// The parent path handed to the children of a group named name.
std::string childParentPath(const std::string& parentPath, const std::string& name);
// The base folder, a backslash and the group name up to each backslash or slash in it, from
// left to right.
std::vector<std::string> leadingFolders(const std::string& base, const std::string& name);
// The folders the writer creates for a group named name, in the order it creates them: the
// leading folders, the group's folder (base, a backslash, name), its "output" folder and its
// personality folder.
std::vector<std::string> groupFolders(const std::string& base, const std::string& name);
// How many of those lie in the group's folder: its "output" and personality folders.
constexpr std::size_t kFoldersInTheGroupsFolder = 2;
// The text after the name's last backslash, else after its last slash, else the whole name.
std::string lastNameComponent(const std::string& name);
// The last component of a parent path, split at the separator that occurs first in it.
std::string lastParentComponent(const std::string& parentPath);

// The folder, a backslash, "person", a backslash: where the personalities of the project
// (folder the destination) or of a group (folder the group's) are written.
std::string personFolder(const std::string& folder);

// True when path, with "." and ".." taken lexically and both "\" and "/" read as separators,
// is folder itself or lies below it. Like the operating system, it reads path up to a NUL.
bool liesWithin(const std::string& path, const std::string& folder);

// The first folder, in the order the walk creates them, that the writer would create for the
// tree below root outside destFolder; nothing when every folder lies within it.
std::optional<std::string> firstFolderOutside(const ProjectGroup& root, const std::string& destFolder);

}  // namespace kalvex

#endif
