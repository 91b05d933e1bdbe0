#include "writer/compile_database.h"

#include <memory>
#include <utility>

#include "errors.h"
#include "host/host.h"
#include "project_converter.h"
#include "writer/compile_commands.h"
#include "writer/json_text.h"

namespace kalvex {
namespace {

// Removes the temporary file on every way out but a successful move into place.
class TemporaryFile {
 public:
  TemporaryFile(Host& host, std::string path) : host_(host), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (created_) host_.removeFile(path_);
  }
  const std::string& path() const { return path_; }
  void created() { created_ = true; }
  void movedAway() { created_ = false; }

 private:
  Host& host_;
  std::string path_;
  bool created_ = false;
};

}  // namespace

void replaceWholeFile(Host& host, const std::string& path, const std::string& text) {
  TemporaryFile temporary(host, path + ".kalvex-tmp");
  std::unique_ptr<OutputFile> file = host.openWrite(temporary.path());
  if (!file) throw IOERROR{IOERROR::kCannotWriteFile, path};
  temporary.created();
  file->stream() << text;
  const bool written = file->close();
  file.reset();
  if (!written || !host.replaceFile(temporary.path(), path)) throw IOERROR{IOERROR::kCannotWriteFile, path};
  temporary.movedAway();
}

void ProjectConverter::writeCompileDatabase() {
  const PathSpelling spell = [this](const std::string& path) { return host().hostPath(path); };
  replaceWholeFile(host(), settings.compileDatabase,
                   compileDatabaseText(compileCommands(*rootGroup_, compilerIncludes(), spell)));
}

}  // namespace kalvex
