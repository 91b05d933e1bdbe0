#include "writer/personality_steps.h"

#include <optional>

#include "project_converter.h"
#include "writer/group_paths.h"
#include "writer/line_writer.h"

namespace kalvex {
namespace {

enum class Kind { Message, Compiler };

std::string resolveDefault(ProjectGroup& group, Kind kind) {
  ProjectConverter& converter = group.converter();
  const std::string supplied = kind == Kind::Message ? converter.messagePersonality() : converter.compilerPersonality();
  if (!supplied.empty()) return supplied;
  const std::string folder = personFolder(converter.destFolder());
  const std::string path = folder + converter.projectName() + (kind == Kind::Message ? ".p_s" : ".p_c");
  // The empty default is made once, for the first group that needs it.
  if (converter.outputs().writes(path)) return path;
  group.ensureDirectory(folder);
  std::unique_ptr<OutputFile> file = converter.outputs().open(path);
  LineWriter(*file, path).close();
  return path;
}

}  // namespace

std::string resolveMessagePersonality(ProjectGroup& group) { return resolveDefault(group, Kind::Message); }

std::string resolveCompilerPersonality(ProjectGroup& group) { return resolveDefault(group, Kind::Compiler); }

void createProjectAnalyserPersonality(ProjectGroup& group, const std::string& path) {
  ProjectConverter& converter = group.converter();
  group.ensureDirectory(personFolder(converter.destFolder()));
  std::unique_ptr<OutputFile> file = converter.outputs().open(path);
  LineWriter out(*file, path);
  appendUserAnalyserPersonality(converter, out);
  out.close();
}

void appendUserAnalyserPersonality(ProjectConverter& converter, LineWriter& out) {
  if (converter.analyserPersonality().empty()) return;
  const std::optional<std::string>& text = converter.analyserTemplate();
  if (!text) {
    out.flush();
    converter.print("Couldnt open file");
    return;
  }
  out.writeText(*text);
}

void ProjectGroup::writePersonality(const std::string& path) {
  std::unique_ptr<OutputFile> file = converter().outputs().open(path);
  LineWriter out(*file, path);
  for (const std::string& include : includes_) out.writeLine("-i \"" + include + "\"");
  for (const auto& [name, value] : defines_) {
    out.writeLine("-d \"" + name + (value.empty() ? std::string() : "=" + value) + "\"");
  }
  appendUserAnalyserPersonality(converter(), out);
  out.close();
}

}  // namespace kalvex
