// The rules of the lines of GHS project files: the value each kind of line gives. Every
// function here takes texts and gives texts; none touches the file system.
#ifndef KALVEX_READER_LINE_VALUES_H
#define KALVEX_READER_LINE_VALUES_H

#include <optional>
#include <string>
#include <vector>

#include "text/strings.h"

namespace kalvex {

// What the line rules look at: trimLine, then without any further leading blanks and tabs.
// A view into line.
std::string_view lineText(std::string_view line);

// True for the text of a macro line: "macro" followed by a blank or a tab.
bool isMacroLine(const std::string& text);

// The sub-project path named by a line that contains ".gpj", empty when it holds "#". In the
// line's text: up to the next double quote when the text begins with one; else up to just
// after the first ".gpj" that ends a word of the text before its first tab. Else the trimmed
// line up to its first tab, else up to its first space.
std::string subProjectEntry(const std::string& line);

// The text after the first ":sourceDir=", stripped of spaces (tabs stay).
std::string sourceDirText(const std::string& line);

// The trimmed line without its first two characters, stripped of spaces, without a leading
// "./".
std::string includeText(const std::string& line);

// The trimmed line without its first two characters: NAME or NAME=VALUE.
std::string defineText(const std::string& line);

struct MacroDefinition {
  std::string name;
  std::string value;
};

// The name of an "import" line: a text that is "import", blanks and tabs, and a name without
// blanks, tabs or "=". Nothing for any other text.
std::optional<std::string> importName(const std::string& text);

// Name and raw value of a "macro" line: the name runs from after the first "macro" and the
// blanks and tabs that follow it to the first "=" after it, the value is the rest; both
// stripped of spaces. Nothing when no "=" follows the first "macro".
std::optional<MacroDefinition> macroDefinition(const std::string& line);

// The trimmed line up to its first tab: spaces and whatever else follows stay part of it.
// A view into line.
std::string_view sourceFileText(std::string_view line);

// True for the text of an option line that changes what the preprocessor sees although the
// project cannot carry it: "-U" (undefines), forced includes ("-include", "-preinclude",
// "--preinclude", "-imacros"), include folders of other kinds ("-isystem", "-idirafter") and
// "-undef". The option word ends at a blank, a tab or "=".
bool changesPreprocessing(const std::string& text);

// The name of a "-U" option's text: what follows "-U", without blanks and tabs around it.
std::string undefineName(const std::string& text);

// The text without a type tag at its end: one or more blanks, "[", a tag of one character or
// more without brackets, and "]", as in "x.c [CXX]".
std::string withoutTypeTag(const std::string& text);

// True when the line holds ".c" in either letter case: the test for a source-file line.
bool namesSourceFile(const std::string& line);

// True when one of the entries equals, ignoring ASCII case, the text after the path's last
// full stop (the whole path when it has none). An empty list stands for the extensions of C
// and C++ translation units: c, cc, cp, cpp, cxx and c++.
bool extensionAccepted(const std::string& path, const std::vector<std::string>& extensions);

}  // namespace kalvex

#endif
