#include "reader/line_values.h"

namespace kalvex {

bool readLine(std::istream& in, std::string& line, bool* endedWithLineFeed) {
  if (!std::getline(in, line)) return false;
  const bool lineFeed = !in.eof();
  if (lineFeed && !line.empty() && line.back() == '\r') line.pop_back();
  if (endedWithLineFeed != nullptr) *endedWithLineFeed = lineFeed;
  return true;
}

std::string stripChar(const std::string& text, char c) {
  const std::size_t first = text.find_first_not_of(c);
  if (first == std::string::npos) return std::string();
  const std::size_t last = text.find_last_not_of(c);
  return text.substr(first, last - first + 1);
}

std::string trimLine(const std::string& text) { return stripChar(stripChar(text, ' '), '\t'); }

}  // namespace kalvex
