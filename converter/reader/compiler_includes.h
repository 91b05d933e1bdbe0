// The include directories that the compiler personality names, one option to a line.
#ifndef KALVEX_READER_COMPILER_INCLUDES_H
#define KALVEX_READER_COMPILER_INCLUDES_H

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace kalvex {

// The directory of a line that holds "-i" or "-I" anywhere (cut after the line's first two
// bytes), else "-si" or "-SI" (after three), stripped of spaces, then of double quotes;
// nothing for any other line. The cut does not look where the option stands.
std::optional<std::string> includeOptionDirectory(const std::string& line);

// The directories of every line of in, in file order, duplicates kept.
std::vector<std::string> compilerIncludeDirectories(std::istream& in);

}  // namespace kalvex

#endif
