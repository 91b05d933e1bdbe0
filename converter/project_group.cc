#include "project_group.h"

#include <algorithm>
#include <utility>

namespace kalvex {

ProjectGroup::ProjectGroup(std::string name, ProjectConverter& converter)
    : converter_(&converter), name_(std::move(name)) {}

ProjectGroup::~ProjectGroup() {
  std::vector<std::unique_ptr<ProjectGroup>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<ProjectGroup> group = std::move(pending.back());
    pending.pop_back();
    for (auto& child : group->children_) pending.push_back(std::move(child));
    group->children_.clear();
  }
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

}  // namespace

bool ProjectGroup::addInclude(const std::string& directory) {
  if (database_ &&
      std::find(database_->includes.begin(), database_->includes.end(), directory) == database_->includes.end()) {
    database_->includes.push_back(directory);
  }
  if (!includeIndex_.insert(directory).second) return false;
  includes_.push_back(directory);
  return true;
}

void ProjectGroup::addDefine(const std::string& defineText) {
  storeDefine(defines_, defineText);
  if (database_) storeDefine(database_->defines, defineText);
}

DatabaseOptions& ProjectGroup::database() {
  if (!database_) database_ = std::make_unique<DatabaseOptions>(DatabaseOptions{includes_, defines_, {}, {}});
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
  if (includeIndex_.insert(directory).second) includes_.push_back(directory);
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
  includeIndex_ = parent.includeIndex_;
  if (parent.database_) {
    database_ = std::make_unique<DatabaseOptions>(
        DatabaseOptions{parent.database_->includes, parent.database_->defines, parent.database_->undefines, {}});
  }
}

ProjectGroup& ProjectGroup::addChild(std::string name) {
  children_.push_back(std::make_unique<ProjectGroup>(std::move(name), *converter_));
  return *children_.back();
}

std::string dumpTree(const ProjectGroup& root) {
  std::string out;
  struct Item {
    const ProjectGroup* group;
    std::size_t depth;
  };
  std::vector<Item> pending{{&root, 0}};
  while (!pending.empty()) {
    const Item item = pending.back();
    pending.pop_back();
    const std::string indent(item.depth * 2, ' ');
    const ProjectGroup& g = *item.group;
    out += indent + "group " + g.name() + "\n";
    out += indent + "  sourcePath " + g.sourcePath + "\n";
    for (const auto& file : g.files) out += indent + "  file " + file + "\n";
    for (const auto& include : g.includes()) out += indent + "  include " + include + "\n";
    for (const auto& define : g.defines()) out += indent + "  define " + define.first + "=" + define.second + "\n";
    for (auto it = g.children().rbegin(); it != g.children().rend(); ++it) {
      pending.push_back({it->get(), item.depth + 1});
    }
  }
  return out;
}

}  // namespace kalvex
