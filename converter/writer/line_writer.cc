#include "writer/line_writer.h"

#include "errors.h"
#include "text/strings.h"

namespace kalvex {

// Straight into the stream's buffer: one line costs two copies, not two formatted inserts.
void LineWriter::writeLine(std::string_view text) {
  std::ostream& out = file_->stream();
  std::streambuf* buffer = out ? out.rdbuf() : nullptr;
  const auto size = static_cast<std::streamsize>(text.size());
  if (buffer == nullptr || buffer->sputn(text.data(), size) != size || buffer->sputn("\r\n", 2) != 2) {
    out.setstate(std::ios_base::badbit);
  }
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
