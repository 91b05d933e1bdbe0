// Text rules for macro references and the paths of project files. Paths use the backslash
// as their only separator; nothing here touches the file system.
#ifndef KALVEX_READER_PATH_RULES_H
#define KALVEX_READER_PATH_RULES_H

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/ordered_unique.h"

namespace kalvex {

// The value of the environment variable of that name, or nothing when it is not set.
using Environment = std::function<std::optional<std::string>(const std::string& name)>;

// Macro name to value, shared by every project file of one conversion.
using MacroTable = std::unordered_map<std::string, std::string>;

// True for a path that is never joined to a directory: it holds a colon, or begins with a
// backslash or a forward slash.
bool isAbsolutePath(const std::string& text);

// A macro value as stored for "$(NAME)" and "$NAME": made absolute against directory unless
// it is absolute already or begins with "$" (a reference, expanded where the value is used).
std::string absoluteMacroValue(const std::string& directory, const std::string& value);

// Where "${NAME}" references and conditions find a name: macros as written, then the
// environment.
struct NameSources {
  const MacroTable& writtenMacros;
  const Environment& environment;
  std::optional<std::string> valueOf(const std::string& name) const;
};

// Replaces every "${NAME}" (NAME running to the next "}") by the value NAME has in names;
// unknown names, "${" without "}" and "${%...}" stay as written. Values put in are not
// scanned again: the single pass of condition arguments.
std::string expandBraceReferences(const std::string& text, const NameSources& names);

// A relative text joined to directory: "." is the directory itself, a leading "./" is
// dropped, anything else is appended after one backslash, unnormalised.
std::string joinRelative(const std::string& directory, const std::string& text);
// The same, into joined, whose storage is reused.
void joinRelative(const std::string& directory, std::string_view text, std::string& joined);

// Without a final backslash and full stop, so that "dir\." is "dir"; "dir\.." and "name."
// stay whole.
std::string withoutTrailingDot(const std::string& path);

// Every forward slash made a backslash: the reader's rule for a path written with "/" in a
// project file, on every host (it is not the host's conversion, which is none on Windows).
std::string withBackslashes(std::string path);

// Without the two enclosing quotes when the text, two characters or more, begins and ends
// with the same quote character (double or single).
std::string unquoted(const std::string& text);

// The path up to, not including, its last backslash; the whole path when it has none.
std::string directoryOf(const std::string& path);

// The name of the group that a project file gives, for the top file and sub-project entries
// alike: the path's last component without its last four characters, whole when shorter.
std::string groupNameOf(const std::string& path);

// Directories to search, in the order they were first added. Adding one again changes
// nothing: trying the same candidate twice could not give another answer.
using SearchDirectories = OrderedUnique;

}  // namespace kalvex

#endif
