#include "project_group.h"

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

bool ProjectGroup::addInclude(const std::string& directory) {
  if (!includeIndex_.insert(directory).second) return false;
  includes_.push_back(directory);
  return true;
}

void ProjectGroup::addDefine(const std::string& defineText) {
  const std::size_t equals = defineText.find('=');
  if (equals == std::string::npos) {
    defines_[defineText] = std::string();
  } else {
    defines_[defineText.substr(0, equals)] = defineText.substr(equals + 1);
  }
}

void ProjectGroup::inheritFrom(const ProjectGroup& parent) {
  defines_ = parent.defines_;
  includes_ = parent.includes_;
  includeIndex_ = parent.includeIndex_;
}

ProjectGroup& ProjectGroup::addChild(std::string name) {
  children_.push_back(std::make_unique<ProjectGroup>(std::move(name), *converter_));
  return *children_.back();
}

std::string dumpTree(const ProjectGroup& root) {
  struct Dump {
    std::string out;
    std::size_t depth = 0;
    WalkStep enter(const ProjectGroup& g) {
      const std::string indent(depth * 2, ' ');
      out += indent + "group " + g.name() + "\n";
      out += indent + "  sourcePath " + g.sourcePath + "\n";
      for (const auto& file : g.files) out += indent + "  file " + file + "\n";
      for (const auto& include : g.includes()) out += indent + "  include " + include + "\n";
      for (const auto& define : g.defines()) out += indent + "  define " + define.first + "=" + define.second + "\n";
      ++depth;
      return WalkStep::kEnterChildren;
    }
    void leave(const ProjectGroup&) { --depth; }
  } dump;
  walkGroups(root, dump);
  return dump.out;
}

}  // namespace kalvex
