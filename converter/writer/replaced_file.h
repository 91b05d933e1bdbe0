// One output of the run written as a whole: its temporary file in the run's staged files,
// closed by commit() and moved onto its path with the run's other outputs. Every failure
// raises IOERROR::kCannotWriteFile with path.
#ifndef KALVEX_WRITER_REPLACED_FILE_H
#define KALVEX_WRITER_REPLACED_FILE_H

#include <memory>
#include <ostream>
#include <string>

#include "host/host.h"
#include "writer/staged_files.h"

namespace kalvex {

class ReplacedFile {
 public:
  // Creates the temporary file.
  ReplacedFile(StagedFiles& files, std::string path);
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  // The temporary file's stream; only before commit().
  std::ostream& stream() { return file_->stream(); }
  // Closes the temporary file, which is then complete.
  void commit();

 private:
  std::string path_;
  std::unique_ptr<OutputFile> file_;
};

}  // namespace kalvex

#endif
