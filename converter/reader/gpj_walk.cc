// The walk over the project files: opening each, reading its lines (and those of the options
// files it names) and locating its sub-projects, depth first.
#include <optional>
#include <set>
#include <utility>

#include "errors.h"
#include "host/host.h"
#include "project_group.h"
#include "reader/brace_groups.h"
#include "reader/gpj_reader.h"
#include "reader/line_values.h"
#include "reader/text_input.h"

namespace kalvex {

// The chain of files being read, from the top file down to the one whose sub-projects are
// walked now. Kept on the heap so that no depth of nesting exhausts the stack.
struct GpjReader::Walk {
  struct Frame {
    ProjectGroup* group;
    std::vector<SubProject> subProjects;
    std::size_t next;
    std::optional<FileIdentity> identity;
  };
  std::vector<Frame> frames;
  std::set<FileIdentity> reading;
};

void GpjReader::link(ProjectGroup& group, Host& host, CompilerIncludeTest isCompilerInclude) {
  currentGroup_ = &group;
  host_ = &host;
  sourceDirSearch_ = host.makeSearch();
  environment_ = [&host](const std::string& name) { return host.environmentVariable(name); };
  for (const std::string& directory : sourceDirs_.entries()) sourceDirSearch_->add(withBackslashes(directory));
  isCompilerInclude_ = std::move(isCompilerInclude);
}

void GpjReader::open(const std::string& path) { openFile(path, FileRole::kTop); }

void GpjReader::openFile(const std::string& path, FileRole role) {
  input_.reset();
  currentPath_ = path;
  input_ = host_->openRead(path);
  if (!input_) {
    // The top file is named by the command line, not by a line: it stands for itself.
    findings_.projectFileMissing(namedAt_.file.empty() ? LinePosition{path} : namedAt_, path);
    throw AsciiReaderError{AsciiReaderError::kCannotOpen};
  }
  if (readsText(input_)) return;
  input_.reset();
  if (role == FileRole::kTop) {
    findings_.notAProjectFile(LinePosition{path}, path, nullptr);
    throw AsciiReaderError{AsciiReaderError::kNotText};
  }
  // A sub-project that is not text keeps its group, empty.
  findings_.notAProjectFile(namedAt_, path, "its group stays empty");
}

void GpjReader::parse() {
  Walk walk;
  readingTopFile_ = true;
  enterFile(walk);
  readingTopFile_ = false;
  requireChosenConfiguration();
  while (!walk.frames.empty()) {
    Walk::Frame& top = walk.frames.back();
    if (top.next == top.subProjects.size()) {
      if (top.identity) walk.reading.erase(*top.identity);
      walk.frames.pop_back();
      continue;
    }
    ProjectGroup& parent = *top.group;
    const SubProject subProject = std::move(top.subProjects[top.next++]);
    if (readSubProject(parent, subProject)) enterFile(walk);
  }
}

// Reads the file open on currentPath_ into currentGroup_ unless it is already being read
// further up the chain.
void GpjReader::enterFile(Walk& walk) {
  const std::optional<FileIdentity> identity = host_->identify(currentPath_);
  if (identity && !walk.reading.insert(*identity).second) {
    input_.reset();
    findings_.subProjectLoop(namedAt_, currentPath_);
    throw AsciiReaderError{AsciiReaderError::kSubProjectLoop};
  }
  ProjectGroup* group = currentGroup_;
  walk.frames.push_back(Walk::Frame{group, readOpenFile(), 0, identity});
}

// Reads the project file's lines, and in place of each line that names an options file, that
// file's lines; options files are kept on a stack of their own, so no nesting exhausts the
// call stack.
std::vector<GpjReader::SubProject> GpjReader::readOpenFile() {
  std::vector<SubProject> subProjects;
  std::string line;
  std::size_t lineNumber = 0;
  while (input_) {
    OptionsFile* options = optionsFiles_.empty() ? nullptr : &optionsFiles_.back();
    if (readLine(options == nullptr ? *input_ : *options->input, line)) {
      if (options == nullptr) {
        findings_.atLine(currentPath_, ++lineNumber, line);
      } else {
        findings_.atLine(options->path, ++options->lineNumber, line);
      }
      applyLine(line, options == nullptr ? &subProjects : nullptr);
    } else if (options == nullptr) {
      break;
    } else {
      optionsFiles_.pop_back();
    }
  }
  input_.reset();
  entryScope_.leave();
  return subProjects;
}

// Creates the child group of one sub-project entry and opens its file; the child becomes
// the current group. False, with nothing created, for an optional one that cannot be opened.
bool GpjReader::readSubProject(ProjectGroup& parent, const SubProject& subProject) {
  currentGroup_ = &parent;
  Expansion expansion = expandReferences(subProject.entry, references());
  findings_.unresolvedReferences(subProject.namedAt, expansion.leftAsWritten);
  const std::string entry = std::move(expansion.text);
  std::string first;
  const std::optional<std::string> onDisk = locateSubProject(parent.sourcePath, entry, first);
  if (!onDisk && subProject.presence == Presence::kOptional) {
    findings_.optionalAbsent(subProject.namedAt, subProject.entry);
    return false;
  }
  const std::string located = onDisk ? *onDisk : first;
  ProjectGroup& child = parent.addChild(groupNameOf(located));
  child.sourcePath = directoryOf(located);
  child.inheritFrom(parent);
  currentGroup_ = &child;
  namedAt_ = subProject.namedAt;
  openFile(located, FileRole::kSubProject);
  return true;
}

// The first path that a sub-project entry may stand for which is found on disk, as spelled
// there. Tried in order: an absolute entry alone; else the entry joined to the directory, then
// to each source directory, then to each include search directory, each path made only once
// those before it are absent. first is the first path tried.
std::optional<std::string> GpjReader::locateSubProject(const std::string& directory, const std::string& entry,
                                                       std::string& first) {
  first = withBackslashes(isAbsolutePath(entry) ? entry : directory + "\\" + entry);
  std::optional<std::string> onDisk = found(first);
  if (onDisk || isAbsolutePath(entry)) return onDisk;
  for (const SearchDirectories* list : {&sourceDirs_, &includeSearchDirs_}) {
    for (const std::string& searched : list->entries()) {
      if ((onDisk = found(withBackslashes(searched + "\\" + entry)))) return onDisk;
    }
  }
  return std::nullopt;
}

// Names an options file whose lines are read next, in place of the line that names it. One
// that cannot be opened, or that is being read already further up the chain of options files,
// is skipped.
void GpjReader::openOptionsFile(const std::string& text) {
  std::string path = unquoted(text);
  resolvePath(path, PathSearch::kNone);
  std::unique_ptr<std::istream> input = host_->openRead(path);
  if (!input) {
    findings_.optionsFileMissing(path);
    return;
  }
  if (!readsText(input)) {
    findings_.notAProjectFile(findings_.here(), path, "skipped");
    return;
  }
  std::optional<FileIdentity> identity = host_->identify(path);
  for (const OptionsFile& open : optionsFiles_) {
    if (open.identity ? open.identity == identity : open.path == path) return;
  }
  optionsFiles_.push_back(OptionsFile{std::move(input), identity, std::move(path)});
  // Its lines stand under no entry of the project file.
  entryScope_.leave();
}

void GpjReader::addSubProject(const std::string& line, const std::string& text, std::size_t indent, Presence presence,
                              std::vector<SubProject>& subProjects) {
  std::string entry = subProjectEntry(line);
  if (entry.empty()) return;
  entryScope_.enter(EntryScope::Kind::kSubProject, indent, entry, findings_.entryText());
  LinePosition namedAt = findings_.enabled() ? findings_.here() : LinePosition{};
  if (holdsOptionalGroup(text)) presence = Presence::kOptional;
  subProjects.push_back(SubProject{std::move(entry), presence, std::move(namedAt)});
}

}  // namespace kalvex
