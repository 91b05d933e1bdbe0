#include "writer/line_writer.h"

#include <algorithm>

#include "errors.h"
#include "text/strings.h"

namespace kalvex {

// Straight into the stream's buffer: a line and its CR LF go in one call where they fit a
// buffer of the stack, in two otherwise.
void LineWriter::writeLine(std::string_view text) {
  std::ostream& out = file_->stream();
  std::streambuf* buffer = out ? out.rdbuf() : nullptr;
  char line[512];
  bool written = buffer != nullptr;
  if (written && text.size() + 2 <= sizeof line) {
    std::copy(text.begin(), text.end(), line);
    line[text.size()] = '\r';
    line[text.size() + 1] = '\n';
    const auto size = static_cast<std::streamsize>(text.size() + 2);
    written = buffer->sputn(line, size) == size;
  } else if (written) {
    const auto size = static_cast<std::streamsize>(text.size());
    written = buffer->sputn(text.data(), size) == size && buffer->sputn("\r\n", 2) == 2;
  }
  if (!written) out.setstate(std::ios_base::badbit);
  check();
}

void LineWriter::flush() {
  file_->stream().flush();
  check();
}

std::string crlfText(std::istream& in) {
  std::string text;
  std::string line;
  bool endedWithLineFeed = false;
  while (readLine(in, line, &endedWithLineFeed)) {
    text += line;
    if (endedWithLineFeed) text += "\r\n";
  }
  return text;
}

void LineWriter::writeText(std::string_view text) {
  file_->stream() << text;
  check();
}

void LineWriter::close() {
  if (!file_->close()) throw IOERROR{IOERROR::kCannotWriteFile, path_};
}

void LineWriter::check() {
  if (!file_->stream()) throw IOERROR{IOERROR::kCannotWriteFile, path_};
}

}  // namespace kalvex
