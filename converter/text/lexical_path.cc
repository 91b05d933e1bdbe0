#include "text/lexical_path.h"
#include <algorithm>

namespace kalvex {
namespace {

void takeStep(std::vector<std::string>& components, std::string& step) {
  if (step == "..") {
    const bool atDrive = components.size() == 1 && components[0].find(':') != std::string::npos;
    if (!components.empty() && !atDrive) components.pop_back();
  } else if (!step.empty() && step != ".") {
    components.push_back(std::move(step));
  }
  step.clear();
}

}  // namespace

void takeLexicalSteps(std::vector<std::string>& components, std::string_view path, std::string_view separators) {
  std::string step;
  for (const char c : path) {
    if (separators.find(c) == std::string_view::npos) {
      step.push_back(c);
    } else {
      takeStep(components, step);
    }
  }
  takeStep(components, step);
}

void useSeparator(std::string& path, char separator) {
  const char other = separator == '/' ? '\\' : '/';
  // Most paths hold no separator to replace: find() reaches the first one at memchr's speed.
  const std::size_t first = path.find(other);
  if (first != std::string::npos)
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(first), path.end(), other, separator);
}

std::vector<std::string> lexicalSteps(std::string_view path) {
  std::vector<std::string> components;
  takeLexicalSteps(components, path, "\\/");
  return components;
}

std::string withSeparator(std::string path, char separator) {
  useSeparator(path, separator);
  return path;
}

}  // namespace kalvex
