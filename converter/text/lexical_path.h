// Paths taken apart by their text alone, without asking the file system.
#ifndef KALVEX_TEXT_LEXICAL_PATH_H
#define KALVEX_TEXT_LEXICAL_PATH_H

#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

// Takes the steps of path, split at every character of separators, onto components, the
// steps taken so far: an empty step and "." change nothing; ".." drops the last component,
// unless there is none or the only one left names a drive (it holds a colon), so that ".."
// never climbs above a drive; any other step is appended.
void takeLexicalSteps(std::vector<std::string>& components, std::string_view path, std::string_view separators);

}  // namespace kalvex

#endif
