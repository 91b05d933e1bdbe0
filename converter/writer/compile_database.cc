#include "writer/compile_database.h"

#include "host/host.h"
#include "project_converter.h"
#include "writer/compile_commands.h"
#include "writer/json_text.h"
#include "writer/replaced_file.h"

namespace kalvex {

void writeCompileDatabase(Host& host, const std::string& path, const ProjectGroup& root,
                          const std::vector<std::string>& compilerIncludes) {
  const PathSpelling spell = [&host](const std::string& systemPath) { return host.hostPath(systemPath); };
  ReplacedFile file(host, path);
  CompileDatabaseWriter json(file.stream());
  walkCompileCommands(root, compilerIncludes, spell, [&json](const CompileCommand& command) { json.add(command); });
  json.finish();
  file.commit();
}

void ProjectConverter::writeCompileDatabase() {
  kalvex::writeCompileDatabase(host(), settings.compileDatabase, *rootGroup_, compilerIncludes());
}

}  // namespace kalvex
