// Build configurations of the top file: "defineConfig ("Debug" "DBG" "tgt\debug.gpc")" or
// "defineConfig(Release rel release.gpc)". Pure text rules.
#ifndef KALVEX_READER_CONFIGURATIONS_H
#define KALVEX_READER_CONFIGURATIONS_H

#include <optional>
#include <string>

#include "reader/conditions.h"

namespace kalvex {

struct ConfigurationLine {
  BuildConfiguration configuration;
  std::string file;
};

// True for a line text that begins with "defineConfig" followed by a blank, a tab or "(".
bool isConfigurationLine(const std::string& text);

// The NAME, TAG and FILE of a configuration line: its three arguments, inside the
// parentheses when it has them, split at blanks and tabs outside double quotes and each
// unquoted. Nothing when it has another number of arguments.
std::optional<ConfigurationLine> configurationLine(const std::string& text);

}  // namespace kalvex

#endif
