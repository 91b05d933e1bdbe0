// A node of the group tree: one GHS project file that was read, and one folder of the
// target project. A group owns its children; it has no link to its parent.
#ifndef KALVEX_PROJECT_GROUP_H
#define KALVEX_PROJECT_GROUP_H

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "database_options.h"
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

  // Include directories in the order the compiler searches them, none twice: the group's own
  // in the order they were added, then those inherited from the parent, in the parent's order.
  const std::vector<std::string>& includes() const { return includes_; }
  // Adds the directory after the group's own unless the group named it already; an inherited
  // one moves up to that place. True when it was added.
  bool addInclude(const std::string& directory);

  // Defines, name to value, in ascending unsigned byte order of the names.
  const std::map<std::string, std::string>& defines() const { return defines_; }
  // Stores NAME=VALUE (split at the first "="), or NAME with the empty value; the last
  // definition of a name wins.
  void addDefine(const std::string& defineText);

  // Options that the personality gives the whole group but the build gives one file: the
  // group's includes and defines take them as before, the database the file alone (none
  // when file is nothing, a line the group does not list).
  void addFileInclude(std::optional<std::size_t> file, const std::string& directory);
  void addFileDefine(std::optional<std::size_t> file, const std::string& defineText);
  // "-U" names, which only the database carries: the group's, or one file's.
  void addUndefine(const std::string& name);
  void addFileUndefine(std::optional<std::size_t> file, const std::string& name);
  // Null while the database gives the group what its personality gives, and nothing more.
  const DatabaseOptions* databaseOptions() const { return database_.get(); }

  // Replaces this group's defines, then its includes (all inherited), by copies of the parent's, and its
  // database options by the parent's, without the parent's files' own.
  void inheritFrom(const ProjectGroup& parent);

  const std::vector<std::unique_ptr<ProjectGroup>>& children() const { return children_; }
  // Appends a new child group with the same converter and returns it.
  ProjectGroup& addChild(std::string name);

  // Writer operations, defined with the writer.
  void writeGroup(OutputFile& project, const std::string& parentPath, std::string inheritedAnalyser);
  void writePersonality(const std::string& path);
  void ensureDirectory(const std::string& path);

 private:
  // Made, from the group's includes and defines so far, on the first option it must keep apart.
  DatabaseOptions& database();
  void addFileOption(std::optional<std::size_t> file, const char* option, const std::string& value);
  bool addToGroupIncludes(const std::string& directory);

  ProjectConverter* converter_;
  std::string name_;
  std::vector<std::string> includes_;
  std::size_t ownIncludes_ = 0;                         // the first ones of includes_
  std::unordered_map<std::string, bool> includeIndex_;  // true for the group's own
  std::map<std::string, std::string> defines_;
  std::unique_ptr<DatabaseOptions> database_;
  std::vector<std::unique_ptr<ProjectGroup>> children_;
};

// A deterministic text picture of a whole subtree, one assertion's worth of a parsed project.
std::string dumpTree(const ProjectGroup& root);

}  // namespace kalvex

#endif
