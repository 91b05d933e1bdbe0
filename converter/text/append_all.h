// Appending several texts at once, with one growth of the target: for lines that are put
// together many times over, such as those of the report.
#ifndef KALVEX_TEXT_APPEND_ALL_H
#define KALVEX_TEXT_APPEND_ALL_H

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kalvex {

// Appends the parts to text, in order.
inline void appendAll(std::string& text, std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  std::size_t at = text.size();
  text.resize(at + total);
  for (std::string_view part : parts) {
    if (part.empty()) continue;
    std::memcpy(&text[at], part.data(), part.size());
    at += part.size();
  }
}

}  // namespace kalvex

#endif
