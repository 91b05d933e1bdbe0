// A file that replaces another in one step: written under path + ".kalvex-tmp" beside it and
// moved onto path by commit(), so that path holds either its earlier content or everything
// written. Every failure raises IOERROR::kCannotWriteFile with path; the temporary file is
// removed on every way out but a commit.
#ifndef KALVEX_WRITER_REPLACED_FILE_H
#define KALVEX_WRITER_REPLACED_FILE_H

#include <memory>
#include <ostream>
#include <string>

#include "host/host.h"

namespace kalvex {

class ReplacedFile {
 public:
  // Creates the temporary file.
  ReplacedFile(Host& host, std::string path);
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  // The temporary file's stream; only before commit().
  std::ostream& stream() { return file_->stream(); }
  // Closes the temporary file and moves it onto path.
  void commit();

 private:
  Host& host_;
  std::string path_;
  std::string temporary_;
  std::unique_ptr<OutputFile> file_;
};

}  // namespace kalvex

#endif
