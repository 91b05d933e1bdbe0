// The compilation database that clang-based tools read, written beside the project: its
// commands (compile_commands.h) as JSON text (json_text.h), put in place through the host.
#ifndef KALVEX_WRITER_COMPILE_DATABASE_H
#define KALVEX_WRITER_COMPILE_DATABASE_H

#include <string>

namespace kalvex {

class Host;

// Writes text to a temporary file beside path and moves it onto path, so that path holds
// either its earlier content or all of text. Raises IOERROR with IOERROR::kCannotWriteFile and
// path when it fails, after removing the temporary file.
void replaceWholeFile(Host& host, const std::string& path, const std::string& text);

}  // namespace kalvex

#endif
