// A node of the group tree: one GHS project file that was read, and one folder of the
// target project. A group owns its children; it has no link to its parent.
#ifndef KALVEX_PROJECT_GROUP_H
#define KALVEX_PROJECT_GROUP_H

#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "file_list.h"

namespace kalvex {

class OutputFile;
class ProjectConverter;

class ProjectGroup {
 public:
  ProjectGroup(std::string name, ProjectConverter& converter);
  // Destroys the subtree without recursion, so that no depth of nesting exhausts the stack.
  ~ProjectGroup();
  ProjectGroup(const ProjectGroup&) = delete;
  ProjectGroup& operator=(const ProjectGroup&) = delete;

  const std::string& name() const { return name_; }
  ProjectConverter& converter() const { return *converter_; }

  // Directory of the group's project file; set once before the file is read.
  std::string sourcePath;
  // Source files in listing order; a file listed twice is held twice.
  FileList files;

  // Include directories in the order they were added, none twice.
  const std::vector<std::string>& includes() const { return includes_; }
  // Appends the directory unless the group holds it already; true when it was appended.
  bool addInclude(const std::string& directory);

  // Defines, name to value, in ascending unsigned byte order of the names.
  const std::map<std::string, std::string>& defines() const { return defines_; }
  // Stores NAME=VALUE (split at the first "="), or NAME with the empty value; the last
  // definition of a name wins.
  void addDefine(const std::string& defineText);

  // Replaces this group's defines, then its includes, by copies of the parent's.
  void inheritFrom(const ProjectGroup& parent);

  const std::vector<std::unique_ptr<ProjectGroup>>& children() const { return children_; }
  // Appends a new child group with the same converter and returns it.
  ProjectGroup& addChild(std::string name);

  // Writer operations, defined with the writer.
  void writeGroup(OutputFile& project, const std::string& parentPath, std::string inheritedAnalyser);
  void writePersonality(const std::string& path);
  void ensureDirectory(const std::string& path);

 private:
  ProjectConverter* converter_;
  std::string name_;
  std::vector<std::string> includes_;
  std::unordered_set<std::string> includeIndex_;
  std::map<std::string, std::string> defines_;
  std::vector<std::unique_ptr<ProjectGroup>> children_;
};

// A deterministic text picture of a whole subtree, one assertion's worth of a parsed project.
std::string dumpTree(const ProjectGroup& root);

}  // namespace kalvex

#endif
