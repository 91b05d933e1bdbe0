#include "writer/compile_commands.h"

#include <utility>

#include "group_walk.h"
#include "project_group.h"
#include "reader/line_values.h"

namespace kalvex {
namespace {

void addOption(std::vector<std::string>& arguments, const char* option, const std::string& value) {
  arguments.push_back(option);
  arguments.push_back(value);
}

// The options of a group, the same for each of its files: the compiler's include directories
// apart, since a file's own include directories stand between them and the group's; then
// those of the group's personality, unless the group keeps the database's apart.
struct GroupOptions {
  std::vector<std::string> compilerIncludes;
  std::vector<std::string> group;
};

GroupOptions groupOptions(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                          const PathSpelling& spell) {
  const DatabaseOptions* database = group.databaseOptions();
  GroupOptions options;
  for (const std::string& directory : compilerIncludes) addOption(options.compilerIncludes, "-I", spell(directory));
  for (const std::string& directory : database ? database->includes : group.includes()) {
    addOption(options.group, "-I", spell(directory));
  }
  for (const auto& [name, value] : database ? database->defines : group.defines()) {
    addOption(options.group, "-D", value.empty() ? name : name + "=" + value);
  }
  if (database) {
    for (const std::string& name : database->undefines) addOption(options.group, "-U", name);
  }
  return options;
}

// A file's own options of one kind, "-I" or all but "-I", in line order.
void addOwnOptions(std::vector<std::string>& arguments, const std::vector<std::string>* ownOptions, bool includes,
                   const PathSpelling& spell) {
  for (std::size_t i = 0; ownOptions != nullptr && i + 1 < ownOptions->size(); i += 2) {
    const std::string& option = (*ownOptions)[i];
    const std::string& value = (*ownOptions)[i + 1];
    if ((option == "-I") == includes) addOption(arguments, option.c_str(), includes ? spell(value) : value);
  }
}

// The command of one file entry, as the builder orders it: the file's own include directories
// before the group's, the file's own defines and undefines after the group's.
CompileCommand fileCommand(const std::string& directory, const GroupOptions& group,
                           const std::vector<std::string>* ownOptions, const std::string& file,
                           const PathSpelling& spell) {
  CompileCommand command{directory, spell(file), {compilerFor(file)}};
  std::vector<std::string>& arguments = command.arguments;
  arguments.insert(arguments.end(), group.compilerIncludes.begin(), group.compilerIncludes.end());
  addOwnOptions(arguments, ownOptions, true, spell);
  arguments.insert(arguments.end(), group.group.begin(), group.group.end());
  addOwnOptions(arguments, ownOptions, false, spell);
  addOption(arguments, "-c", command.file);
  return command;
}

// The options of the file at index that lines indented under it give, or null.
const std::vector<std::string>* ownOptionsOf(const ProjectGroup& group, std::size_t index) {
  const DatabaseOptions* database = group.databaseOptions();
  if (database == nullptr) return nullptr;
  const auto own = database->fileOptions.find(index);
  return own == database->fileOptions.end() ? nullptr : &own->second;
}

}  // namespace

std::string compilerFor(const std::string& file) {
  return extensionAccepted(file, {"cc", "cp", "cpp", "cxx", "c++"}) ? "c++" : "cc";
}

void addGroupCommands(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                      const PathSpelling& spell, std::vector<CompileCommand>& commands) {
  const std::string directory = spell(group.sourcePath);
  const GroupOptions options = groupOptions(group, compilerIncludes, spell);
  for (std::size_t i = 0; i < group.files.size(); ++i) {
    const std::string file(group.files[i]);
    if (!file.empty()) commands.push_back(fileCommand(directory, options, ownOptionsOf(group, i), file, spell));
  }
}

std::vector<CompileCommand> compileCommands(const ProjectGroup& root, const std::vector<std::string>& compilerIncludes,
                                            const PathSpelling& spell) {
  struct Collect {
    const std::vector<std::string>& compilerIncludes;
    const PathSpelling& spell;
    std::vector<CompileCommand> commands;
    WalkStep enter(const ProjectGroup& group) {
      addGroupCommands(group, compilerIncludes, spell, commands);
      return WalkStep::kEnterChildren;
    }
    void leave(const ProjectGroup&) {}
  } collect{compilerIncludes, spell, {}};
  walkGroups(root, collect);
  return std::move(collect.commands);
}

}  // namespace kalvex
