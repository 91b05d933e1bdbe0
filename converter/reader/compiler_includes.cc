#include "reader/compiler_includes.h"

#include "reader/line_values.h"

namespace kalvex {

std::optional<std::string> includeOptionDirectory(const std::string& line) {
  auto from = [&line](std::size_t position) { return line.size() > position ? line.substr(position) : std::string(); };
  std::string text;
  if (line.find("-i") != std::string::npos || line.find("-I") != std::string::npos) {
    text = from(2);
  } else if (line.find("-si") != std::string::npos || line.find("-SI") != std::string::npos) {
    text = from(3);
  } else {
    return std::nullopt;
  }
  return stripChar(stripChar(text, ' '), '"');
}

std::vector<std::string> compilerIncludeDirectories(std::istream& in) {
  std::vector<std::string> directories;
  std::string line;
  while (readLine(in, line)) {
    if (std::optional<std::string> directory = includeOptionDirectory(line))
      directories.push_back(std::move(*directory));
  }
  return directories;
}

}  // namespace kalvex
