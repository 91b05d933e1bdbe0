#include "reader/path_rules.h"

#include <algorithm>
#include <utility>

#include "reader/line_values.h"
#include "text/lexical_path.h"

namespace kalvex {

bool isAbsolutePath(const std::string& text) {
  if (text.find(':') != std::string::npos) return true;
  return !text.empty() && (text[0] == '\\' || text[0] == '/');
}

std::string absoluteMacroValue(const std::string& directory, const std::string& value) {
  if (isAbsolutePath(value) || value.compare(0, 1, "$") == 0) return value;
  return directory + "\\" + value;
}

std::optional<std::string> NameSources::valueOf(const std::string& name) const {
  const auto macro = writtenMacros.find(name);
  if (macro != writtenMacros.end()) return macro->second;
  return environment ? environment(name) : std::nullopt;
}

std::string expandBraceReferences(const std::string& text, const NameSources& names) {
  std::string result;
  std::size_t from = 0;
  for (std::size_t open = text.find("${"); open != std::string::npos; open = text.find("${", from)) {
    const std::size_t close = text.find('}', open + 2);
    if (close == std::string::npos) break;
    const std::string name = text.substr(open + 2, close - open - 2);
    const std::optional<std::string> value = name.compare(0, 1, "%") == 0 ? std::nullopt : names.valueOf(name);
    result += text.substr(from, open - from);
    result += value ? *value : text.substr(open, close + 1 - open);
    from = close + 1;
  }
  return result + text.substr(from);
}

std::string joinRelative(const std::string& directory, const std::string& text) {
  std::string joined;
  joinRelative(directory, text, joined);
  return joined;
}

void joinRelative(const std::string& directory, std::string_view text, std::string& joined) {
  if (text == ".") {
    joined.assign(directory);
    return;
  }
  const std::string_view rest = text.substr(startsWith(text, "./") ? 2 : 0);
  joined.assign(directory).append(1, '\\').append(rest);
}

std::string withoutTrailingDot(const std::string& path) {
  const std::size_t size = path.size();
  if (size < 2 || path[size - 1] != '.' || path[size - 2] != '\\') return path;
  return path.substr(0, size - 2);
}

std::string withBackslashes(std::string path) { return withSeparator(std::move(path), '\\'); }

std::string unquoted(const std::string& text) {
  if (text.size() < 2 || text.front() != text.back()) return text;
  if (text.front() != '"' && text.front() != '\'') return text;
  return text.substr(1, text.size() - 2);
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
