// What the compilation database carries beyond a group's analyser personality: the group's
// own include directories and defines, without those that a line indented under one source
// file gives, its "-U" names, and each file's own options.
#ifndef KALVEX_DATABASE_OPTIONS_H
#define KALVEX_DATABASE_OPTIONS_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kalvex {

struct DatabaseOptions {
  std::vector<std::string> includes;
  std::size_t ownIncludes = 0;  // the group's own, before the inherited ones
  std::map<std::string, std::string> defines;
  std::vector<std::string> undefines;
  // Each file's own options as arguments in line order ("-I" and a directory, "-D" and a
  // define, "-U" and a name), by the file's index in the group's files.
  std::map<std::size_t, std::vector<std::string>> fileOptions;
};

}  // namespace kalvex

#endif
