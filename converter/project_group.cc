#include "project_group.h"

#include <algorithm>
#include <string>
#include <utility>

#include "group_walk.h"

namespace kalvex {

ProjectGroup::ProjectGroup(std::string name, ProjectConverter& converter)
    : converter_(&converter), name_(std::move(name)) {}

// Each group frees its children at its end-of-children step, when none of them has children
// left, so that no destructor runs more than one level deep.
ProjectGroup::~ProjectGroup() {
  if (children_.empty()) return;
  struct Freeing {
    WalkStep enter(ProjectGroup&) { return WalkStep::kEnterChildren; }
    void leave(ProjectGroup& group) { group.children_.clear(); }
  } freeing;
  walkGroups(*this, freeing);
}

namespace {

void storeDefine(std::map<std::string, std::string>& defines, const std::string& defineText) {
  const std::size_t equals = defineText.find('=');
  if (equals == std::string::npos) {
    defines[defineText] = std::string();
  } else {
    defines[defineText.substr(0, equals)] = defineText.substr(equals + 1);
  }
}

// A group's own include directories stand before those it inherits, in the order they were
// named: the first own of the list are the group's. An inherited one that the group names
// moves up to its own place.
// inherited is the inherited copy of directory in the list, or its end for none.
void addOwnInclude(std::vector<std::string>& list, std::size_t& own, const std::string& directory,
                   std::vector<std::string>::iterator inherited) {
  if (inherited != list.end()) list.erase(inherited);
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(own), directory);
  ++own;
}

// Where the inherited part of the list holds directory; its end for nowhere.
std::vector<std::string>::iterator inheritedCopy(std::vector<std::string>& list, std::size_t own,
                                                 const std::string& directory) {
  return std::find(list.begin() + static_cast<std::ptrdiff_t>(own), list.end(), directory);
}

}  // namespace

bool ProjectGroup::addInclude(const std::string& directory) {
  if (database_) {
    std::vector<std::string>& list = database_->includes;
    const auto ownEnd = list.begin() + static_cast<std::ptrdiff_t>(database_->ownIncludes);
    if (std::find(list.begin(), ownEnd, directory) == ownEnd) {
      addOwnInclude(list, database_->ownIncludes, directory, inheritedCopy(list, database_->ownIncludes, directory));
    }
  }
  return addToGroupIncludes(directory);
}

bool ProjectGroup::addToGroupIncludes(const std::string& directory) {
  const auto [entry, added] = includeIndex_.try_emplace(directory, true);
  if (!added && entry->second) return false;
  entry->second = true;
  addOwnInclude(includes_, ownIncludes_, directory,
                added ? includes_.end() : inheritedCopy(includes_, ownIncludes_, directory));
  return true;
}

void ProjectGroup::addDefine(const std::string& defineText) {
  storeDefine(defines_, defineText);
  if (database_) storeDefine(database_->defines, defineText);
}

DatabaseOptions& ProjectGroup::database() {
  if (!database_)
    database_ = std::make_unique<DatabaseOptions>(DatabaseOptions{includes_, ownIncludes_, defines_, {}, {}});
  return *database_;
}

void ProjectGroup::addFileOption(std::optional<std::size_t> file, const char* option, const std::string& value) {
  DatabaseOptions& options = database();
  if (!file) return;
  std::vector<std::string>& own = options.fileOptions[*file];
  own.push_back(option);
  own.push_back(value);
}

void ProjectGroup::addFileInclude(std::optional<std::size_t> file, const std::string& directory) {
  addFileOption(file, "-I", directory);
  addToGroupIncludes(directory);
}

void ProjectGroup::addFileDefine(std::optional<std::size_t> file, const std::string& defineText) {
  addFileOption(file, "-D", defineText);
  storeDefine(defines_, defineText);
}

void ProjectGroup::addUndefine(const std::string& name) { database().undefines.push_back(name); }

void ProjectGroup::addFileUndefine(std::optional<std::size_t> file, const std::string& name) {
  addFileOption(file, "-U", name);
}

void ProjectGroup::inheritFrom(const ProjectGroup& parent) {
  defines_ = parent.defines_;
  includes_ = parent.includes_;
  ownIncludes_ = 0;
  includeIndex_ = parent.includeIndex_;
  for (auto& entry : includeIndex_) entry.second = false;
  if (parent.database_) {
    database_ = std::make_unique<DatabaseOptions>(
        DatabaseOptions{parent.database_->includes, 0, parent.database_->defines, parent.database_->undefines, {}});
  }
}

ProjectGroup& ProjectGroup::addChild(std::string name) {
  children_.push_back(std::make_unique<ProjectGroup>(std::move(name), *converter_));
  return *children_.back();
}

std::string dumpTree(const ProjectGroup& root) {
  struct Dump {
    std::string out;
    std::size_t depth = 0;
    // The database's own copy of the options, which must follow the group's.
    void dumpDatabase(const DatabaseOptions& database, const std::string& indent) {
      out += indent + "database\n";
      for (const auto& include : database.includes) out += indent + "  include " + include + "\n";
      for (const auto& define : database.defines)
        out += indent + "  define " + define.first + "=" + define.second + "\n";
      for (const auto& name : database.undefines) out += indent + "  undefine " + name + "\n";
      for (const auto& [file, options] : database.fileOptions) {
        out += indent + "  file " + std::to_string(file);
        for (const std::string& option : options) out += " " + option;
        out += "\n";
      }
    }
    WalkStep enter(const ProjectGroup& g) {
      const std::string indent(depth * 2, ' ');
      out += indent + "group " + g.name() + "\n";
      out += indent + "  sourcePath " + g.sourcePath + "\n";
      for (const auto& file : g.files) out += indent + "  file " + file + "\n";
      for (const auto& include : g.includes()) out += indent + "  include " + include + "\n";
      for (const auto& define : g.defines()) out += indent + "  define " + define.first + "=" + define.second + "\n";
      if (const DatabaseOptions* database = g.databaseOptions()) dumpDatabase(*database, indent + "  ");
      ++depth;
      return WalkStep::kEnterChildren;
    }
    void leave(const ProjectGroup&) { --depth; }
  } dump;
  walkGroups(root, dump);
  return dump.out;
}

}  // namespace kalvex
