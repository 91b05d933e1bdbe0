// Text output of the writer: every line ends in CR LF, and every failed open, write, flush or
// close raises IOERROR::kCannotWriteFile with the file's path. Lines go through the file's
// buffer; the file reaches the disk at flush() and close(), and when it is destroyed on any
// other way out.
#ifndef KALVEX_WRITER_LINE_WRITER_H
#define KALVEX_WRITER_LINE_WRITER_H

#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "host/host.h"

namespace kalvex {

// A text file as the writer copies it: each line that ended in a line feed (CR LF or LF) ends
// in CR LF, a last line without one stays without one.
std::string crlfText(std::istream& in);

// Writes lines to a file that stays open as long as the writer is used; does not own it.
class LineWriter {
 public:
  LineWriter(OutputFile& file, std::string path) : file_(&file), path_(std::move(path)) {}

  // Writes text and CR LF into the file's buffer.
  void writeLine(std::string_view text);
  // Puts every line written so far on disk.
  void flush();
  // Writes text as it is, such as that of crlfText.
  void writeText(std::string_view text);
  // Flushes and closes the file.
  void close();

 private:
  void check();

  OutputFile* file_;
  std::string path_;
};

}  // namespace kalvex

#endif
