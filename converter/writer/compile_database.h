// The compilation database that clang-based tools read, written beside the project: its
// commands (compile_commands.h) as JSON text (json_text.h), put in place through the host.
#ifndef KALVEX_WRITER_COMPILE_DATABASE_H
#define KALVEX_WRITER_COMPILE_DATABASE_H

#include <string>
#include <vector>

namespace kalvex {

class Host;
class ProjectGroup;

// Writes the database of root and every group below it to a temporary file beside path, each
// group's entries as soon as the walk reaches it, so that memory does not grow with their
// number; then moves it onto path, which holds either its earlier content or the whole
// database. Raises IOERROR with IOERROR::kCannotWriteFile and path when it fails, after
// removing the temporary file.
void writeCompileDatabase(Host& host, const std::string& path, const ProjectGroup& root,
                          const std::vector<std::string>& compilerIncludes);

}  // namespace kalvex

#endif
