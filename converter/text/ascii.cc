#include "text/ascii.h"

#include <algorithm>

namespace kalvex {

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = lowerAscii(c);
  return lower;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return equalIgnoringAsciiCase(x, y); });
}

}  // namespace kalvex
