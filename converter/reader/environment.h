// Names the reader looks up outside the project files: the variables of the environment.
#ifndef KALVEX_READER_ENVIRONMENT_H
#define KALVEX_READER_ENVIRONMENT_H

#include <functional>
#include <optional>
#include <string>

#include "host/host.h"

namespace kalvex {

// The value of the environment variable of that name, or nothing when it is not set.
using Environment = std::function<std::optional<std::string>(const std::string& name)>;

// Looks name up in an environment block: entries "NAME=VALUE", ended by a null pointer. The
// first entry whose name matches wins.
std::optional<std::string> findVariable(const char* const* block, const std::string& name, NameCase nameCase);

// The environment of the running process, with the host's rule for the case of names.
Environment systemEnvironment();

}  // namespace kalvex

#endif
