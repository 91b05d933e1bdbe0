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

// The include, define and undefine options of a group, the same for each of its files: those
// of its personality, unless the group keeps the database's apart.
std::vector<std::string> groupOptions(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                                      const PathSpelling& spell) {
  const DatabaseOptions* database = group.databaseOptions();
  std::vector<std::string> options;
  for (const std::string& directory : compilerIncludes) addOption(options, "-I", spell(directory));
  for (const std::string& directory : database ? database->includes : group.includes()) {
    addOption(options, "-I", spell(directory));
  }
  for (const auto& [name, value] : database ? database->defines : group.defines()) {
    addOption(options, "-D", value.empty() ? name : name + "=" + value);
  }
  if (database) {
    for (const std::string& name : database->undefines) addOption(options, "-U", name);
  }
  return options;
}

// Makes command the command of one file entry, where it holds the compiler and the group's
// options already: the compiler is set, the file's own options, "-c" and the file follow the
// group's, which stay in place from one file of the group to the next.
void setFileCommand(CompileCommand& command, std::size_t groupOptions, const std::vector<std::string>* ownOptions,
                    const std::string& file, const PathSpelling& spell) {
  command.file = spell(file);
  command.arguments.resize(1 + groupOptions);
  command.arguments.front() = compilerFor(file);
  for (std::size_t i = 0; ownOptions != nullptr && i + 1 < ownOptions->size(); i += 2) {
    const std::string& option = (*ownOptions)[i];
    const std::string& value = (*ownOptions)[i + 1];
    addOption(command.arguments, option.c_str(), option == "-I" ? spell(value) : value);
  }
  addOption(command.arguments, "-c", command.file);
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
  static const std::vector<std::string> cppExtensions{"cc", "cp", "cpp", "cxx", "c++"};
  return extensionAccepted(file, cppExtensions) ? "c++" : "cc";
}

void groupCommands(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                   const PathSpelling& spell, const CommandSink& take) {
  if (group.files.empty()) return;
  CompileCommand command{spell(group.sourcePath), std::string(), {std::string()}};
  const std::vector<std::string> options = groupOptions(group, compilerIncludes, spell);
  command.arguments.insert(command.arguments.end(), options.begin(), options.end());
  for (std::size_t i = 0; i < group.files.size(); ++i) {
    const std::string file(group.files[i]);
    if (file.empty()) continue;
    setFileCommand(command, options.size(), ownOptionsOf(group, i), file, spell);
    take(command);
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
