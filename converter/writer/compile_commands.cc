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

// The include and define options of a group, the same for each of its files.
std::vector<std::string> groupOptions(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                                      const PathSpelling& spell) {
  std::vector<std::string> options;
  for (const std::string& directory : compilerIncludes) addOption(options, "-I", spell(directory));
  for (const std::string& directory : group.includes()) addOption(options, "-I", spell(directory));
  for (const auto& [name, value] : group.defines()) addOption(options, "-D", value.empty() ? name : name + "=" + value);
  return options;
}

// The command of one file entry: the group's options stand between the compiler and the file.
CompileCommand fileCommand(const std::string& directory, const std::vector<std::string>& groupOptions,
                           const std::string& file, const PathSpelling& spell) {
  CompileCommand command{directory, spell(file), {compilerFor(file)}};
  command.arguments.insert(command.arguments.end(), groupOptions.begin(), groupOptions.end());
  addOption(command.arguments, "-c", command.file);
  return command;
}

}  // namespace

std::string compilerFor(const std::string& file) {
  return extensionAccepted(file, {"cc", "cp", "cpp", "cxx", "c++"}) ? "c++" : "cc";
}

void addGroupCommands(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                      const PathSpelling& spell, std::vector<CompileCommand>& commands) {
  const std::string directory = spell(group.sourcePath);
  const std::vector<std::string> options = groupOptions(group, compilerIncludes, spell);
  for (const std::string& file : group.files) {
    if (!file.empty()) commands.push_back(fileCommand(directory, options, file, spell));
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
