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
// The components of a path, split at "\\" and "/", after "." and ".." are taken.
std::vector<std::string> lexicalSteps(std::string_view path);

// The one conversion between a path's two spellings: every separator ("/" or "\\") written
// as separator. With "/" a backslash path becomes a POSIX host path; with "\\" the reverse.
std::string withSeparator(std::string path, char separator);
// The same conversion, made in place.
void useSeparator(std::string& path, char separator);

}  // namespace kalvex

#endif
