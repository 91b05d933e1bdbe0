#include <optional>
#include <utility>
#include <vector>

#include "errors.h"
#include "group_walk.h"
#include "host/host.h"
#include "project_converter.h"
#include "writer/group_paths.h"
#include "writer/line_writer.h"
#include "writer/personality_steps.h"

namespace kalvex {
namespace {

std::string projectFilePath(ProjectConverter& converter) {
  return converter.destFolder() + "\\" + converter.projectName() + ".prj";
}

// Writes the AnalPers= line and the personality it names; returns the path that a group
// without includes and defines hands to its children.
std::string writeAnalyserEntry(ProjectGroup& group, LineWriter& out, const std::string& folder,
                               const std::string& parentPath, const std::string& inherited) {
  ProjectConverter& converter = group.converter();
  if (!group.includes().empty() || !group.defines().empty()) {
    const std::string personality = personFolder(folder) + lastNameComponent(group.name()) + ".p_a";
    out.flush();
    converter.print("  Creating Analyser Personality - " + personality);
    out.writeLine("AnalPers=" + personality);
    out.flush();
    group.writePersonality(personality);
    return inherited;
  }
  const std::string candidate = personFolder(converter.destFolder() + "\\" + parentPath) +
                                lastParentComponent(parentPath) + ".p_a";
  if (converter.outputs().exists(candidate)) {
    out.writeLine("AnalPers=" + candidate);
    return candidate;
  }
  out.writeLine("AnalPers=" + inherited);
  if (!converter.outputs().exists(inherited)) {
    out.flush();
    createProjectAnalyserPersonality(group, inherited);
  }
  return inherited;
}

// Creates the group's folders and writes its block up to its file list. Returns the analyser
// personality path for its children, or nothing when the group has neither files nor children
// and is left out of the project.
// The project file is flushed before every step whose effect shows outside it (a message, a
// folder, another file), so that a failing write is reported at the same point, and with the
// same messages and files around it, as if every line went to disk at once.
std::optional<std::string> writeBlockHead(ProjectGroup& group, LineWriter& out, const std::string& parentPath,
                                          const std::string& inherited) {
  ProjectConverter& converter = group.converter();
  const std::string base = baseFolder(converter.destFolder(), parentPath);
  const std::string folder = base + "\\" + group.name();
  out.flush();
  for (const std::string& created : groupFolders(base, group.name())) group.ensureDirectory(created);
  if (group.files.empty() && group.children().empty()) return std::nullopt;

  converter.print("  Creating Group - " + group.name());
  out.writeLine("StartProjectMarker");
  out.writeLine("FolderName=" + group.name());
  out.writeLine("SourcePath=" + (group.sourcePath.empty() ? folder + "\\" : group.sourcePath));
  out.writeLine("OutputPath=" + folder + "\\output\\");
  out.flush();
  out.writeLine("SubsPers=" + resolveMessagePersonality(group));
  std::string handedOn = writeAnalyserEntry(group, out, folder, parentPath, inherited);
  out.flush();
  out.writeLine("CompPers=" + resolveCompilerPersonality(group));
  for (std::size_t i = 0; i < group.files.size(); ++i) {
    if (!group.files[i].empty()) out.writeLine(group.files[i]);
  }
  out.writeLine("EndContainedFilesMarker");
  return handedOn;
}

// Writes the block of each group it enters; a block with children holds theirs between the
// start and end markers of its sub-projects.
class BlockWriter {
 public:
  BlockWriter(LineWriter& out, const std::string& parentPath, std::string inheritedAnalyser)
      : out_(out), levels_{{parentPath, std::move(inheritedAnalyser)}} {}

  WalkStep enter(ProjectGroup& group) {
    const Level& level = levels_.back();
    std::optional<std::string> handedOn = writeBlockHead(group, out_, level.parentPath, level.inherited);
    if (!handedOn || group.children().empty()) return WalkStep::kSkipChildren;
    out_.writeLine("StartSubProjectMarker");
    levels_.push_back({childParentPath(level.parentPath, group.name()), std::move(*handedOn)});
    return WalkStep::kEnterChildren;
  }
  void leave(ProjectGroup&) {
    out_.writeLine("EndSubProjectMarker");
    levels_.pop_back();
  }

 private:
  // What the groups entered next are written with: the walk's root first, then one level for
  // each group whose children are being written.
  struct Level {
    std::string parentPath;
    std::string inherited;
  };
  LineWriter& out_;
  std::vector<Level> levels_;
};

}  // namespace

int ProjectConverter::writeProject() { return writeProject(*rootGroup_); }

int ProjectConverter::writeProject(ProjectGroup& root) {
  const std::string path = projectFilePath(*this);
  if (!liesWithin(path, destFolder())) throw IOERROR{IOERROR::kCannotCreateDirectory, path};
  if (const auto outside = firstFolderOutside(root, destFolder())) {
    throw IOERROR{IOERROR::kCannotCreateDirectory, *outside};
  }
  std::unique_ptr<OutputFile> file = outputs_.open(path);
  print("Creating Zintra/Zintra++ Project ...");
  LineWriter out(*file, path);
  out.writeLine("VersionTag45");
  root.writeGroup(*file, std::string(), personFolder(destFolder()) + projectName() + ".p_a");
  out.close();
  if (!settings.compileDatabase.empty()) writeCompileDatabase(root);
  commitOutputs();
  print("Zintra/Zintra++ Project Completed!");
  return 0;
}

void ProjectGroup::writeGroup(OutputFile& project, const std::string& parentPath, std::string inheritedAnalyser) {
  LineWriter out(project, projectFilePath(converter()));
  BlockWriter writer(out, parentPath, std::move(inheritedAnalyser));
  walkGroups(*this, writer);
}

}  // namespace kalvex
