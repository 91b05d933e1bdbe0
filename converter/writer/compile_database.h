// The compilation database that clang-based tools read: one entry for each file entry of each
// group, in the order of the project file, carrying the include directories and defines that
// the group's analyser personality carries.
#ifndef KALVEX_WRITER_COMPILE_DATABASE_H
#define KALVEX_WRITER_COMPILE_DATABASE_H

#include <string>
#include <vector>

namespace kalvex {

class Host;
class ProjectGroup;

struct CompileCommand {
  std::string directory;
  std::string file;
  std::vector<std::string> arguments;
};

// "c++" for a file whose extension, in any case, is cc, cp, cpp, cxx or c++; "cc" for any other.
std::string compilerFor(const std::string& file);

// The commands of root and every group below it, depth first in list order, one for each
// non-empty file entry: the compiler, "-I" and each compiler include, "-I" and each include of
// the group, "-D" and each define of the group in name order, "-c" and the file. Paths are
// spelled as the host spells them.
std::vector<CompileCommand> compileCommands(const ProjectGroup& root, const std::vector<std::string>& compilerIncludes,
                                            Host& host);

// The bytes as a JSON string literal. '"', '\' and control characters are escaped; valid UTF-8
// sequences pass unchanged; every other byte is written as \u00XX, the character of its Latin-1
// reading, so that any bytes give text that a JSON parser accepts.
std::string jsonString(const std::string& bytes);

// The JSON array of the commands, one object per command, lines ended by LF.
std::string compileDatabaseText(const std::vector<CompileCommand>& commands);

// Writes text to a temporary file beside path and moves it onto path, so that path holds
// either its earlier content or all of text. Raises IOERROR code 2 with path when it fails,
// after removing the temporary file.
void replaceWholeFile(Host& host, const std::string& path, const std::string& text);

}  // namespace kalvex

#endif
