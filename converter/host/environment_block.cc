#include "host/environment_block.h"

#include "text/ascii.h"

namespace kalvex {
namespace {

bool sameName(const char* entry, const std::string& name, NameCase nameCase) {
  for (const char c : name) {
    if (*entry == '\0' || *entry == '=') return false;
    const bool equal = nameCase == NameCase::kExact ? *entry == c : equalIgnoringAsciiCase(*entry, c);
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

}  // namespace kalvex
