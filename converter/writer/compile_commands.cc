#include "writer/compile_commands.h"

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

// Which of a file's own options: its include directories, or all the others.
enum class OwnOptions { kIncludes, kOthers };

// A file's own options of one kind, in line order.
void addOwnOptions(std::vector<std::string>& arguments, const std::vector<std::string>* ownOptions, OwnOptions kind,
                   const PathSpelling& spell) {
  const bool includes = kind == OwnOptions::kIncludes;
  for (std::size_t i = 0; ownOptions != nullptr && i + 1 < ownOptions->size(); i += 2) {
    const std::string& option = (*ownOptions)[i];
    const std::string& value = (*ownOptions)[i + 1];
    if ((option == "-I") == includes) addOption(arguments, option.c_str(), includes ? spell(value) : value);
  }
}

bool hasOwnIncludes(const std::vector<std::string>* ownOptions) {
  for (std::size_t i = 0; ownOptions != nullptr && i + 1 < ownOptions->size(); i += 2) {
    if ((*ownOptions)[i] == "-I") return true;
  }
  return false;
}

// One group's commands, one file at a time. The arguments after the compiler begin with the
// compiler's include directories and, while groupInPlace, the group's options, which stay in
// place from one file to the next until a file's own include directories go between them.
struct GroupCommand {
  const GroupOptions& options;
  CompileCommand command;
  bool groupInPlace = false;

  // Makes command the entry of file, as the builder orders it: the file's own include
  // directories before the group's options, its own defines and undefines after them.
  void setFile(const std::vector<std::string>* ownOptions, const std::string& file, const PathSpelling& spell) {
    std::vector<std::string>& arguments = command.arguments;
    const std::size_t prefix = 1 + options.compilerIncludes.size();
    const bool ownIncludes = hasOwnIncludes(ownOptions);
    if (ownIncludes || !groupInPlace) {
      arguments.resize(prefix);
      addOwnOptions(arguments, ownOptions, OwnOptions::kIncludes, spell);
      arguments.insert(arguments.end(), options.group.begin(), options.group.end());
      groupInPlace = !ownIncludes;
    } else {
      arguments.resize(prefix + options.group.size());
    }
    arguments.front() = compilerFor(file);
    command.file = spell(file);
    addOwnOptions(arguments, ownOptions, OwnOptions::kOthers, spell);
    addOption(arguments, "-c", command.file);
  }
};

// The options of the file at index that lines indented under it give, or null.
const std::vector<std::string>* ownOptionsOf(const ProjectGroup& group, std::size_t index) {
  const DatabaseOptions* database = group.databaseOptions();
  if (database == nullptr) return nullptr;
  const auto own = database->fileOptions.find(index);
  return own == database->fileOptions.end() ? nullptr : &own->second;
}

}  // namespace

std::string compilerFor(const std::string& file) {
  static const std::vector<std::string> cppExtensions{"cc", "cp", "cpp", "cxx", "c++"};
  return extensionAccepted(file, cppExtensions) ? "c++" : "cc";
}

void groupCommands(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                   const PathSpelling& spell, const CommandSink& take) {
  if (group.files.empty()) return;
  const GroupOptions options = groupOptions(group, compilerIncludes, spell);
  GroupCommand entry{options, {spell(group.sourcePath), std::string(), {std::string()}}};
  entry.command.arguments.insert(entry.command.arguments.end(), options.compilerIncludes.begin(),
                                 options.compilerIncludes.end());
  for (std::size_t i = 0; i < group.files.size(); ++i) {
    const std::string file(group.files[i]);
    if (file.empty()) continue;
    entry.setFile(ownOptionsOf(group, i), file, spell);
    take(entry.command);
  }
}

void walkCompileCommands(const ProjectGroup& root, const std::vector<std::string>& compilerIncludes,
                         const PathSpelling& spell, const CommandSink& take) {
  struct Pass {
    const std::vector<std::string>& compilerIncludes;
    const PathSpelling& spell;
    const CommandSink& take;
    WalkStep enter(const ProjectGroup& group) {
      groupCommands(group, compilerIncludes, spell, take);
      return WalkStep::kEnterChildren;
    }
    void leave(const ProjectGroup&) {}
  } pass{compilerIncludes, spell, take};
  walkGroups(root, pass);
}

}  // namespace kalvex
