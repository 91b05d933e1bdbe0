#include "writer/replaced_file.h"

#include <utility>

#include "errors.h"

namespace kalvex {

ReplacedFile::ReplacedFile(StagedFiles& files, std::string path) : path_(std::move(path)), file_(files.open(path_)) {}

void ReplacedFile::commit() {
  const bool written = file_->close();
  file_.reset();
  if (!written) throw IOERROR{IOERROR::kCannotWriteFile, path_};
}

}  // namespace kalvex
