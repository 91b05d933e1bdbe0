#include "errors.h"
#include "host/host.h"
#include "project_converter.h"
#include "reader/line_values.h"

namespace kalvex {

void ProjectConverter::readCompilerIncludes() {
  const std::string path = compilerPersonality();
  const std::unique_ptr<std::istream> in = host().openRead(path);
  if (!in) {
    print("Could not open file: " + path);
    return;
  }
  std::string line;
  while (readLine(*in, line)) {
    std::string directory;
    if (parseIncludeOption(line, directory)) addCompilerInclude(directory);
  }
}

// The directory is cut from the line at a fixed position, wherever the option stands in it.
bool ProjectConverter::parseIncludeOption(const std::string& line, std::string& directory) const {
  auto from = [&line](std::size_t position) { return line.size() > position ? line.substr(position) : std::string(); };
  std::string text;
  if (line.find("-i") != std::string::npos || line.find("-I") != std::string::npos) {
    text = from(2);
  } else if (line.find("-si") != std::string::npos || line.find("-SI") != std::string::npos) {
    text = from(3);
  } else {
    return false;
  }
  directory = stripChar(stripChar(text, ' '), '"');
  return true;
}

}  // namespace kalvex
