// The compilation database that clang-based tools read, written beside the project: its
// commands (compile_commands.h) as JSON text (json_text.h), staged with the run's outputs.
#ifndef KALVEX_WRITER_COMPILE_DATABASE_H
#define KALVEX_WRITER_COMPILE_DATABASE_H

#include <string>
#include <vector>

#include "writer/compile_commands.h"

namespace kalvex {

class ProjectGroup;
class StagedFiles;

// Writes the database of root and every group below it to the run's temporary file of path,
// each group's entries as soon as the walk reaches it, so that memory does not grow with their
// number; it is moved onto path with the run's other outputs. Raises IOERROR with
// IOERROR::kCannotWriteFile and path when it fails.
void writeCompileDatabase(StagedFiles& files, const PathSpelling& spell, const std::string& path,
                          const ProjectGroup& root, const std::vector<std::string>& compilerIncludes);

}  // namespace kalvex

#endif
