#include "text/strings.h"

namespace kalvex {

bool readLine(std::istream& in, std::string& line, bool* endedWithLineFeed) {
  if (!std::getline(in, line)) return false;
  const bool lineFeed = !in.eof();
  if (lineFeed && !line.empty() && line.back() == '\r') line.pop_back();
  if (endedWithLineFeed != nullptr) *endedWithLineFeed = lineFeed;
  return true;
}

std::string_view stripView(std::string_view text, char c) {
  const std::size_t first = text.find_first_not_of(c);
  if (first == std::string_view::npos) return std::string_view();
  const std::size_t last = text.find_last_not_of(c);
  return text.substr(first, last - first + 1);
}

std::string stripChar(const std::string& text, char c) { return std::string(stripView(text, c)); }

std::string_view trimView(std::string_view text) { return stripView(stripView(text, ' '), '\t'); }

std::string trimLine(const std::string& text) { return std::string(trimView(text)); }

std::size_t firstNonBlank(std::string_view text, std::size_t from) { return text.find_first_not_of(" \t", from); }

std::string withoutBlanks(std::string_view text) {
  const std::size_t first = firstNonBlank(text);
  if (first == std::string_view::npos) return std::string();
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::size_t matchingBracket(const std::string& text, std::size_t open) {
  const char opening = text[open];
  const char closing = opening == '{' ? '}' : ')';
  int depth = 0;
  for (std::size_t at = open; at < text.size(); ++at) {
    if (text[at] == opening) ++depth;
    if (text[at] == closing && --depth == 0) return at;
  }
  return std::string::npos;
}

}  // namespace kalvex
