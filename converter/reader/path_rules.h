// Text rules for macro references and the paths of project files. Paths use the backslash
// as their only separator; nothing here touches the file system.
#ifndef KALVEX_READER_PATH_RULES_H
#define KALVEX_READER_PATH_RULES_H

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kalvex {

// Macro name to value, shared by every project file of one conversion.
using MacroTable = std::unordered_map<std::string, std::string>;

// A macro value as stored: made absolute against directory unless it holds a colon.
std::string absoluteMacroValue(const std::string& directory, const std::string& value);

// Replaces the first macro reference of text, "$(NAME)" or "$NAME" ending before the next
// backslash, by its value; the text is unchanged when the name is unknown or its value empty.
// The terminator is looked for after the "$" only; "$(" with no ")" runs to the end.
std::string expandFirstMacro(const std::string& text, const MacroTable& macros);

// A relative text joined to directory: "." is the directory itself, a leading "./" is
// dropped, anything else is appended after one backslash, unnormalised.
std::string joinRelative(const std::string& directory, const std::string& text);

// Without its last two characters when it ends in a full stop, so that "dir\." is "dir".
std::string withoutTrailingDot(const std::string& path);

// The path up to, not including, its last backslash; the whole path when it has none.
std::string directoryOf(const std::string& path);

// The name of the group that a project file gives, for the top file and sub-project entries
// alike: the path's last component without its last four characters, whole when shorter.
std::string groupNameOf(const std::string& path);

// Directories to search, in the order they were first added. Adding one again changes
// nothing: trying the same candidate twice could not give another answer.
class SearchDirectories {
 public:
  void add(const std::string& directory) {
    if (index_.insert(directory).second) entries_.push_back(directory);
  }
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
  std::unordered_set<std::string> index_;
};

}  // namespace kalvex

#endif
