#include "writer/group_paths.h"

#include <utility>

#include "group_walk.h"
#include "project_group.h"
#include "text/lexical_path.h"

namespace kalvex {

std::string baseFolder(const std::string& destFolder, const std::string& parentPath) {
  return parentPath.empty() ? destFolder : destFolder + "\\" + parentPath;
}

std::string childParentPath(const std::string& parentPath, const std::string& name) {
  return parentPath.empty() ? name : parentPath + "\\" + name;
}

std::vector<std::string> leadingFolders(const std::string& base, const std::string& name) {
  std::vector<std::string> folders;
  for (std::size_t p = 0; p < name.size(); ++p) {
    if (name[p] == '\\' || name[p] == '/') folders.push_back(base + "\\" + name.substr(0, p));
  }
  return folders;
}

std::vector<std::string> groupFolders(const std::string& base, const std::string& name) {
  std::vector<std::string> folders = leadingFolders(base, name);
  const std::string folder = base + "\\" + name;
  folders.push_back(folder);
  folders.push_back(folder + "\\output\\");
  folders.push_back(personFolder(folder));
  return folders;
}

std::string lastNameComponent(const std::string& name) {
  std::size_t separator = name.rfind('\\');
  if (separator == std::string::npos) separator = name.rfind('/');
  return separator == std::string::npos ? name : name.substr(separator + 1);
}

std::string lastParentComponent(const std::string& parentPath) {
  const std::size_t backslash = parentPath.find('\\');
  const std::size_t slash = parentPath.find('/');
  if (backslash == std::string::npos && slash == std::string::npos) return parentPath;
  const char separator = slash == std::string::npos || (backslash != std::string::npos && backslash > slash) ? '\\'
                                                                                                             : '/';
  return parentPath.substr(parentPath.rfind(separator) + 1);
}

std::string personFolder(const std::string& folder) { return folder + "\\person\\"; }

bool liesWithin(const std::string& path, const std::string& folder) {
  // The operating system reads a path only up to its first NUL byte.
  const std::vector<std::string> inner = lexicalSteps(path.substr(0, path.find('\0')));
  const std::vector<std::string> outer = lexicalSteps(folder);
  if (inner.size() < outer.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    if (inner[i] != outer[i]) return false;
  }
  return true;
}

std::optional<std::string> firstFolderOutside(const ProjectGroup& root, const std::string& destFolder) {
  struct Check {
    explicit Check(const std::string& folder) : destFolder(folder) {}
    const std::string& destFolder;
    // The parent path of the groups entered next: that of the root, then one for each group
    // whose children are being walked.
    std::vector<std::string> parentPaths{std::string()};
    std::optional<std::string> outside;

    WalkStep enter(const ProjectGroup& group) {
      const std::string& parentPath = parentPaths.back();
      const std::string base = baseFolder(destFolder, parentPath);
      // The group's own folders lie in its folder, so within the destination whenever that
      // folder does: only the folders up to it are checked.
      std::vector<std::string> folders = groupFolders(base, group.name());
      folders.resize(folders.size() - kFoldersInTheGroupsFolder);
      for (std::string& folder : folders) {
        if (liesWithin(folder, destFolder)) continue;
        outside = std::move(folder);
        return WalkStep::kStop;
      }
      if (group.children().empty()) return WalkStep::kSkipChildren;
      parentPaths.push_back(childParentPath(parentPath, group.name()));
      return WalkStep::kEnterChildren;
    }
    void leave(const ProjectGroup&) { parentPaths.pop_back(); }
  } check(destFolder);
  walkGroups(root, check);
  return check.outside;
}

}  // namespace kalvex
