#include "reader/option_split.h"

namespace kalvex {

std::size_t nextOptionStart(const std::string& text, std::size_t from) {
  char quote = '\0';
  for (std::size_t at = from; at < text.size(); ++at) {
    const char c = text[at];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if ((c == ' ' || c == '\t') && at + 1 < text.size() && (text[at + 1] == '-' || text[at + 1] == ':')) {
      return at + 1;
    }
  }
  return std::string::npos;
}

std::string optionBetween(const std::string& text, std::size_t from, std::size_t next) {
  const std::size_t last = text.find_last_not_of(" \t", next - 1);
  return last == std::string::npos || last < from ? std::string() : text.substr(from, last + 1 - from);
}

}  // namespace kalvex
