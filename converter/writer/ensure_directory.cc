#include "errors.h"
#include "host/host.h"
#include "project_converter.h"

namespace kalvex {

void ProjectGroup::ensureDirectory(const std::string& path) {
  Host& host = converter().host();
  if (host.exists(path)) return;
  // Another process may have made it between the test and the creation: that is no failure.
  if (!host.makeDirectory(path) && !host.exists(path)) {
    throw IOERROR{IOERROR::kCannotCreateDirectory, path};
  }
}

}  // namespace kalvex
