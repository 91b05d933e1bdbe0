#include "writer/compile_database.h"

#include "host/host.h"
#include "project_converter.h"
#include "writer/compile_commands.h"
#include "writer/json_text.h"
#include "writer/replaced_file.h"

namespace kalvex {

void writeCompileDatabase(StagedFiles& files, const PathSpelling& spell, const std::string& path,
                          const ProjectGroup& root, const std::vector<std::string>& compilerIncludes) {
  ReplacedFile file(files, path);
  CompileDatabaseWriter json(file.stream());
  walkCompileCommands(root, compilerIncludes, spell, [&json](const CompileCommand& command) { json.add(command); });
  json.finish();
  file.commit();
}

void ProjectConverter::writeCompileDatabase(const ProjectGroup& root) {
  const PathSpelling spell = [this](const std::string& path) { return host().toHostPath(path); };
  kalvex::writeCompileDatabase(outputs(), spell, settings.compileDatabase, root, compilerIncludes());
}

}  // namespace kalvex
