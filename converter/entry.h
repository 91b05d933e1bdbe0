// The command line of Kalvex: usage text, absolute paths, the default project name and the
// option scan.
#ifndef KALVEX_ENTRY_H
#define KALVEX_ENTRY_H

#include <ostream>
#include <string>
#include <vector>

namespace kalvex {

class Host;
class ProjectConverter;

// Makes a backslash path absolute against the host's current directory, or against the current
// directory of the drive it names ("X:sub\file"). Restores the current drive afterwards.
std::string makeAbsolutePath(const std::string& path, Host& host);

// The project name used when "-pn" is not given, computed on the absolute source path.
std::string defaultProjectName(const std::string& sourceProject);

// Applies every option word of words[1..] to the converter. A value word is examined again as
// a word in its own right; an option word with no word after it is ignored.
void applyOptions(const std::vector<std::string>& words, ProjectConverter& converter, Host& host);

// The whole program: words[0] is the program's name. Returns the exit status.
int runKalvex(const std::vector<std::string>& words, Host& host, std::ostream& out);

}  // namespace kalvex

#endif
