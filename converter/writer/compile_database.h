// The compilation database that clang-based tools read, written beside the project: its
// commands (compile_commands.h) as JSON text (json_text.h), put in place through the host.
#ifndef KALVEX_WRITER_COMPILE_DATABASE_H
#define KALVEX_WRITER_COMPILE_DATABASE_H

#include <string>

namespace kalvex {

class StagedFiles;

// Writes text to the run's temporary file of path, moved onto path with the run's other
// outputs. Raises IOERROR with IOERROR::kCannotWriteFile and path when it fails.
void replaceWholeFile(StagedFiles& files, const std::string& path, const std::string& text);

}  // namespace kalvex

#endif
