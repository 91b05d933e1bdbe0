// The process's environment as the operating system keeps it: a block of entries
// "NAME=VALUE", ended by a null pointer.
#ifndef KALVEX_HOST_ENVIRONMENT_BLOCK_H
#define KALVEX_HOST_ENVIRONMENT_BLOCK_H

#include <optional>
#include <string>

namespace kalvex {

// Whether names compare with their case (POSIX) or without it (Windows).
enum class NameCase { kExact, kIgnored };

// Looks name up in an environment block; the first entry whose name matches wins. Nothing
// for a null block or an empty name.
std::optional<std::string> findVariable(const char* const* block, const std::string& name, NameCase nameCase);

}  // namespace kalvex

#endif
