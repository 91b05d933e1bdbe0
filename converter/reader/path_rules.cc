#include "reader/path_rules.h"

#include <algorithm>

#include "reader/line_values.h"

namespace kalvex {

std::string absoluteMacroValue(const std::string& directory, const std::string& value) {
  if (value.find(':') != std::string::npos) return value;
  return directory + "\\" + value;
}

std::string expandFirstMacro(const std::string& text, const MacroTable& macros) {
  const std::size_t dollar = text.find('$');
  if (dollar == std::string::npos) return text;
  std::size_t nameStart = 0;
  std::size_t nameEnd = 0;
  std::size_t spanEnd = 0;
  if (text.find("$(") != std::string::npos) {
    nameStart = std::min(dollar + 2, text.size());
    const std::size_t close = text.find(')', nameStart);
    nameEnd = close == std::string::npos ? text.size() : close;
    spanEnd = close == std::string::npos ? text.size() : close + 1;
  } else {
    nameStart = dollar + 1;
    const std::size_t slash = text.find('\\', nameStart);
    nameEnd = slash == std::string::npos ? text.size() : slash;
    spanEnd = nameEnd;
  }
  const auto found = macros.find(stripChar(text.substr(nameStart, nameEnd - nameStart), ' '));
  if (found == macros.end() || found->second.empty()) return text;
  return text.substr(0, dollar) + found->second + text.substr(spanEnd);
}

std::string joinRelative(const std::string& directory, const std::string& text) {
  if (text == ".") return directory;
  if (text.compare(0, 2, "./") == 0) return directory + "\\" + text.substr(2);
  return directory + "\\" + text;
}

std::string withoutTrailingDot(const std::string& path) {
  if (path.empty() || path.back() != '.') return path;
  return path.substr(0, path.size() < 2 ? 0 : path.size() - 2);
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(0, slash);
}

std::string groupNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() >= 4) name.resize(name.size() - 4);
  return name;
}

}  // namespace kalvex
