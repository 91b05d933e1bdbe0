// The JSON text of the compilation database. Pure: bytes in, text out.
#ifndef KALVEX_WRITER_JSON_TEXT_H
#define KALVEX_WRITER_JSON_TEXT_H

#include <ostream>
#include <string>
#include <vector>

#include "writer/compile_commands.h"

namespace kalvex {

// The bytes as a JSON string literal. '"', '\' and control characters are escaped; valid UTF-8
// sequences pass unchanged; every other byte is written as \u00XX, the character of its Latin-1
// reading, so that any bytes give text that a JSON parser accepts.
std::string jsonString(const std::string& bytes);

// The JSON array of the commands, one object per command, lines ended by LF.
std::string compileDatabaseText(const std::vector<CompileCommand>& commands);

// Writes the bytes of compileDatabaseText to a stream one command at a time, so that the
// commands need not be held together. A text equal to the one at the same place in the
// command before (the directory, or an argument at the same position) is not escaped again.
class CompileDatabaseWriter {
 public:
  explicit CompileDatabaseWriter(std::ostream& out) : out_(out) {}
  void add(const CompileCommand& command);
  // Ends the array; call once, after the last command.
  void finish();

 private:
  struct Escaped {
    std::string bytes;
    std::string json;  // empty until made: a JSON string is never empty
  };
  // Appends the JSON of bytes to text_, made anew only where last differs from it.
  void appendEscaped(Escaped& last, const std::string& bytes);

  std::ostream& out_;
  std::string text_;  // one command's text, its storage kept for the next
  Escaped directory_;
  // The file's text, which its last argument mostly repeats.
  Escaped file_;
  std::vector<Escaped> arguments_;
  bool started_ = false;
};

}  // namespace kalvex

#endif
