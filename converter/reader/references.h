// Macro references in the path texts of project files: "${NAME}", "$(NAME)" and the bare
// "$NAME", every one of them, left to right, with the values they put in scanned again; and
// the builtin "%expand_path(X)". Pure text rules; nothing here touches the file system.
#ifndef KALVEX_READER_REFERENCES_H
#define KALVEX_READER_REFERENCES_H

#include <optional>
#include <string>
#include <vector>

#include "reader/path_rules.h"

namespace kalvex {

// Where references find their values. A "$(NAME)" or "$NAME" that begins the text it stands
// in takes the value made absolute; one after other characters, and every "${NAME}", takes
// the value as written ("${NAME}" falling back on the environment). "%expand_path(X)" joins
// a relative X to directory.
struct ReferenceSources {
  const MacroTable& absoluteMacros;
  NameSources names;
  const std::string& directory;
};

// A reference that stayed as written, as written ("$(BSP_DIR)", "${%option_value(x)}"), and
// why: nothing defines it (or it names a builtin, or its own chain names it again), or a limit
// stopped the expansion there.
struct LeftReference {
  enum class Reason { kNotDefined, kChainLimit, kTextLimit };
  std::string written;
  Reason reason = Reason::kNotDefined;
};

struct Expansion {
  std::string text;
  // The text as written held a "$(NAME)" or a bare "$NAME", replaced or not.
  bool heldMacroReference = false;
  // Each reference that stayed as written, in the order met, those in the values put in
  // included; a "${" without "}" is none.
  std::vector<LeftReference> leftAsWritten;
};

// A chain of references (a text's own reference, the references in the value it puts in,
// and so on) expands at most this many; deeper ones stay as written.
constexpr int kReferenceChainLimit = 32;
// One text expands at most this many references in all, so that values naming others
// several times cannot grow without bound; later ones stay as written.
constexpr int kReferencesPerText = 4096;

// Every reference of text replaced by its value, the values scanned again. A reference to a
// name that nothing defines, to a name already being expanded in its chain, or beyond the
// limits stays as written; so do "${" without "}" and every "${%...}" but "%expand_path".
// "$(NAME)" ends at the first ")" after "$(" (at the end of the text when there is none);
// "$NAME" ends before the first "\" or "/" after the "$", or at the end of the text.
Expansion expandReferences(const std::string& text, const ReferenceSources& sources);

// X of a macro value that is, as a whole, "%expand_path(X)" or "${%expand_path(X)}", X
// running to the ")" that matches its "(". Nothing for any other value.
std::optional<std::string> wholeExpandPath(const std::string& value);

// "%expand_path(X)": X with its references expanded, joined to the directory when relative
// ("." is the directory, a leading "./" is dropped, a final "\." goes), with backslashes.
std::string expandPath(const std::string& argument, const ReferenceSources& sources);

}  // namespace kalvex

#endif
