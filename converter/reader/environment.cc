#include "reader/environment.h"

#include <cstring>

#ifdef _WIN32
#include <stdlib.h>
#else
extern char** environ;
#endif

namespace kalvex {
namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const char* entry, const std::string& name, NameCase nameCase) {
  for (const char c : name) {
    if (*entry == '\0' || *entry == '=') return false;
    const bool equal = nameCase == NameCase::kExact ? *entry == c : lowerAscii(*entry) == lowerAscii(c);
    if (!equal) return false;
    ++entry;
  }
  return *entry == '=';
}

}  // namespace

std::optional<std::string> findVariable(const char* const* block, const std::string& name, NameCase nameCase) {
  if (block == nullptr || name.empty()) return std::nullopt;
  for (; *block != nullptr; ++block) {
    if (sameName(*block, name, nameCase)) return std::string(*block + name.size() + 1);
  }
  return std::nullopt;
}

Environment systemEnvironment() {
#ifdef _WIN32
  return [](const std::string& name) { return findVariable(_environ, name, NameCase::kIgnored); };
#else
  return [](const std::string& name) { return findVariable(environ, name, NameCase::kExact); };
#endif
}

}  // namespace kalvex
