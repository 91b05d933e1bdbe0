// Group file lists as tests write and compare them: from a braced list of paths, and against
// a vector of the paths expected in order.
#ifndef KALVEX_TESTS_SUPPORT_FILE_LISTS_H
#define KALVEX_TESTS_SUPPORT_FILE_LISTS_H

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "file_list.h"

namespace kalvex {

inline FileList fileListOf(std::initializer_list<std::string_view> files) {
  FileList list;
  for (const std::string_view file : files) list.push_back(file);
  return list;
}

// True when the list holds exactly these paths, in this order.
inline bool operator==(const FileList& list, const std::vector<std::string>& files) {
  if (list.size() != files.size()) return false;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (list[i] != files[i]) return false;
  }
  return true;
}

}  // namespace kalvex

#endif
