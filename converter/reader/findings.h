// What the reader could not carry over into the project: lines left out, guessed or left
// unresolved, and the failure that ended a run. The reader adds findings in the order it meets
// the lines; the report file lists them in that order.
#ifndef KALVEX_READER_FINDINGS_H
#define KALVEX_READER_FINDINGS_H

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "text/strings.h"

namespace kalvex {

enum class Severity { kError, kWarning, kNote };

// A line of a project file: its backslash path, and line and column counted from 1.
struct LinePosition {
  std::string file;
  std::size_t line = 1;
  std::size_t column = 1;
};

// One finding, valid only during the call that hands it over: its texts are views of the
// reader's own.
struct Finding {
  std::string_view file;
  std::size_t line = 1;
  std::size_t column = 1;
  Severity severity = Severity::kWarning;
  // The message in parts, joined without anything between them: the sink puts them together
  // where it needs them, so that no finding is composed twice.
  std::initializer_list<std::string_view> message;
  // A short fixed name of the kind of finding, such as "source-not-found".
  std::string_view kind;
};

// Where the reader puts its findings, one at a time, as it meets them.
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  virtual void add(const Finding& finding) = 0;
};

// The column of a line's first character that is not a blank or a tab, from 1; 1 for a line of
// blanks only.
inline std::size_t firstColumn(const std::string& line) {
  const std::size_t at = firstNonBlank(line);
  return at == std::string::npos ? 1 : at + 1;
}

}  // namespace kalvex

#endif
