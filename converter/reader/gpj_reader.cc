#include "reader/gpj_reader.h"

#include "errors.h"
#include "host/host.h"
#include "project_converter.h"

namespace kalvex {

void GpjReader::link(ProjectGroup& group, ProjectConverter& converter) {
  currentGroup_ = &group;
  converter_ = &converter;
}

void GpjReader::open(const std::string& path) {
  currentPath_ = path;
  input_ = converter_->host().openRead(path);
  if (!input_) throw AsciiReaderError{AsciiReaderError::kCannotOpen};
}

void GpjReader::parse() { input_.reset(); }

}  // namespace kalvex
