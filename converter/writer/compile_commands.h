// The commands of the compilation database: what clang-based tools are told about each file
// entry of each group, in the order of the project file, with the include directories and
// defines that the group's analyser personality carries. Pure: paths reach the host's
// spelling through the function given.
#ifndef KALVEX_WRITER_COMPILE_COMMANDS_H
#define KALVEX_WRITER_COMPILE_COMMANDS_H

#include <functional>
#include <string>
#include <vector>

namespace kalvex {

class ProjectGroup;

// The host path of a backslash path, as other programs read it.
using PathSpelling = std::function<std::string(const std::string& path)>;

struct CompileCommand {
  std::string directory;
  std::string file;
  std::vector<std::string> arguments;
};

// "c++" for a file whose extension, in any case, is cc, cp, cpp, cxx or c++; "cc" for any other.
std::string compilerFor(const std::string& file);

// Takes one command, which lasts only for the call.
using CommandSink = std::function<void(const CompileCommand& command)>;

// Gives take the commands of one group, one for each non-empty file entry in list order, as
// the builder orders them: the compiler, "-I" and each compiler include, the file's own "-I"
// options in line order, "-I" and each include of the group, "-D" and each define of the group
// in name order, "-U" and each of the group's "-U" names, the file's own "-D" and "-U" options
// in line order, "-c" and the file. A group keeps its database
// options apart once a line gives one file an option of its own: its includes and defines are
// then the group's without those lines. The directory is the group's source path. Every path
// is spelled by spell.
void groupCommands(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                   const PathSpelling& spell, const CommandSink& take);

// Gives take the commands of root and of every group below it, depth first in list order, one
// at a time, so that no more than one command is held at once.
void walkCompileCommands(const ProjectGroup& root, const std::vector<std::string>& compilerIncludes,
                         const PathSpelling& spell, const CommandSink& take);

}  // namespace kalvex

#endif
