#include "writer/replaced_file.h"

#include <utility>

#include "errors.h"

namespace kalvex {

ReplacedFile::ReplacedFile(Host& host, std::string path)
    : host_(host), path_(std::move(path)), temporary_(path_ + ".kalvex-tmp") {
  file_ = host_.openWrite(temporary_);
  if (!file_) throw IOERROR{IOERROR::kCannotWriteFile, path_};
}

ReplacedFile::~ReplacedFile() {
  if (!file_) return;
  file_.reset();
  host_.removeFile(temporary_);
}

void ReplacedFile::commit() {
  const bool written = file_->close();
  file_.reset();
  if (!written || !host_.replaceFile(temporary_, path_)) {
    host_.removeFile(temporary_);
    throw IOERROR{IOERROR::kCannotWriteFile, path_};
  }
}

}  // namespace kalvex
