#include "writer/compile_database.h"

#include "host/host.h"
#include "project_converter.h"
#include "writer/compile_commands.h"
#include "writer/json_text.h"
#include "writer/replaced_file.h"

namespace kalvex {

void replaceWholeFile(StagedFiles& files, const std::string& path, const std::string& text) {
  ReplacedFile file(files, path);
  file.stream() << text;
  file.commit();
}

void ProjectConverter::writeCompileDatabase() {
  const PathSpelling spell = [this](const std::string& path) { return host().hostPath(path); };
  replaceWholeFile(outputs(), settings.compileDatabase,
                   compileDatabaseText(compileCommands(*rootGroup_, compilerIncludes(), spell)));
}

}  // namespace kalvex
