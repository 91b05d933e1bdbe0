#include "reader/line_values.h"

#include <algorithm>
#include <string_view>

#include "text/ascii.h"

namespace kalvex {
namespace {

std::string withoutFirstTwo(const std::string& text) { return text.size() <= 2 ? std::string() : text.substr(2); }

}  // namespace

std::string_view lineText(std::string_view line) {
  const std::string_view t = trimView(line);
  const std::size_t first = firstNonBlank(t);
  return first == std::string_view::npos ? std::string_view() : t.substr(first);
}

bool isMacroLine(const std::string& text) {
  return startsWith(text, "macro") && text.size() > 5 && (text[5] == ' ' || text[5] == '\t');
}

std::string subProjectEntry(const std::string& line) {
  const std::string text(lineText(line));
  if (contains(text, "#")) return std::string();
  if (startsWith(text, "\"")) return text.substr(1, text.find('"', 1) - 1);
  const std::string beforeTab = text.substr(0, text.find('\t'));
  for (std::size_t at = beforeTab.find(".gpj"); at != std::string::npos; at = beforeTab.find(".gpj", at + 1)) {
    const std::size_t end = at + 4;
    if (end == beforeTab.size() || beforeTab[end] == ' ') return beforeTab.substr(0, end);
  }
  const std::string t = trimLine(line);
  const std::size_t tab = t.find('\t');
  if (tab != std::string::npos) return t.substr(0, tab);
  return t.substr(0, t.find(' '));
}

std::string sourceDirText(const std::string& line) {
  static const std::string marker = ":sourceDir=";
  const std::size_t at = line.find(marker);
  if (at == std::string::npos) return std::string();
  return stripChar(line.substr(at + marker.size()), ' ');
}

std::string includeText(const std::string& line) {
  std::string t = stripChar(withoutFirstTwo(trimLine(line)), ' ');
  if (t.compare(0, 2, "./") == 0) t.erase(0, 2);
  return t;
}

std::string defineText(const std::string& line) { return withoutFirstTwo(trimLine(line)); }

std::optional<std::string> importName(const std::string& text) {
  if (!startsWith(text, "import") || text.size() < 7 || (text[6] != ' ' && text[6] != '\t')) return std::nullopt;
  const std::size_t name = firstNonBlank(text, 6);
  if (name == std::string::npos || text.find_first_of(" \t=", name) != std::string::npos) return std::nullopt;
  return text.substr(name);
}

std::optional<MacroDefinition> macroDefinition(const std::string& line) {
  static const std::string marker = "macro";
  const std::size_t at = line.find(marker);
  if (at == std::string::npos) return std::nullopt;
  const std::size_t nameStart = std::min(line.find_first_not_of(" \t", at + marker.size()), line.size());
  const std::size_t equals = line.find('=', nameStart);
  if (equals == std::string::npos) return std::nullopt;
  return MacroDefinition{stripChar(line.substr(nameStart, equals - nameStart), ' '),
                         stripChar(line.substr(equals + 1), ' ')};
}

std::string_view sourceFileText(std::string_view line) {
  const std::string_view t = trimView(line);
  return t.substr(0, t.find('\t'));
}

bool changesPreprocessing(const std::string& text) {
  static const std::vector<std::string> words{"-include", "-preinclude", "--preinclude", "-imacros",
                                              "-isystem", "-idirafter",  "-undef"};
  if (startsWith(text, "-U")) return true;
  const std::string word = text.substr(0, text.find_first_of(" \t="));
  return std::find(words.begin(), words.end(), word) != words.end();
}

std::string withoutTypeTag(const std::string& text) {
  if (text.empty() || text.back() != ']') return text;
  const std::size_t open = text.rfind('[');
  // The tag is not empty, holds no "]" but the last character, and a blank stands before it.
  if (open == std::string::npos || open == 0 || open + 2 >= text.size()) return text;
  if (text.find(']', open) != text.size() - 1) return text;
  if (text[open - 1] != ' ' && text[open - 1] != '\t') return text;
  const std::size_t last = text.find_last_not_of(" \t", open - 1);
  return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

bool namesSourceFile(const std::string& line) { return contains(line, ".c") || contains(line, ".C"); }

std::string undefineName(const std::string& text) {
  return withoutBlanks(std::string_view(text).substr(std::min<std::size_t>(2, text.size())));
}

bool extensionAccepted(const std::string& path, const std::vector<std::string>& extensions) {
  static const std::vector<std::string> translationUnits{"c", "cc", "cp", "cpp", "cxx", "c++"};
  if (extensions.empty()) return extensionAccepted(path, translationUnits);
  const std::size_t dot = path.rfind('.');
  const std::string_view ext = std::string_view(path).substr(dot == std::string::npos ? 0 : dot + 1);
  return std::any_of(extensions.begin(), extensions.end(),
                     [ext](const std::string& entry) { return equalIgnoringAsciiCase(entry, ext); });
}

}  // namespace kalvex
