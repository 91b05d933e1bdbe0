#include "reader/gpj_reader.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "errors.h"
#include "host/host.h"
#include "project_group.h"
#include "reader/brace_groups.h"
#include "reader/line_values.h"

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
  for (const std::string& directory : sourceDirs_.entries()) sourceDirSearch_->add(withBackslashes(directory));
  isCompilerInclude_ = std::move(isCompilerInclude);
}

void GpjReader::open(const std::string& path) {
  input_.reset();
  currentPath_ = path;
  input_ = host_->openRead(path);
  if (!input_) throw AsciiReaderError{AsciiReaderError::kCannotOpen};
}

void GpjReader::parse() {
  Walk walk;
  enterFile(walk);
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
    throw AsciiReaderError{AsciiReaderError::kSubProjectLoop};
  }
  ProjectGroup* group = currentGroup_;
  walk.frames.push_back(Walk::Frame{group, readOpenFile(), 0, identity});
}

std::vector<GpjReader::SubProject> GpjReader::readOpenFile() {
  std::vector<SubProject> subProjects;
  std::string line;
  while (input_ && readLine(*input_, line)) applyLine(line, subProjects);
  input_.reset();
  return subProjects;
}

// Creates the child group of one sub-project entry and opens its file; the child becomes
// the current group. False, with nothing created, for an optional one that cannot be opened.
bool GpjReader::readSubProject(ProjectGroup& parent, const SubProject& subProject) {
  currentGroup_ = &parent;
  const std::string entry = expandFirstMacro(expandBraceReferences(subProject.entry, names()), macros_);
  const std::vector<std::string> tried = candidates(parent.sourcePath, entry);
  const auto found = std::find_if(tried.begin(), tried.end(), [this](const std::string& path) { return opens(path); });
  if (found == tried.end() && subProject.optional) return false;
  const std::string located = found == tried.end() ? tried.front() : *found;
  ProjectGroup& child = parent.addChild(groupNameOf(located));
  child.sourcePath = directoryOf(located);
  child.inheritFrom(parent);
  currentGroup_ = &child;
  open(located);
  return true;
}

// The paths a sub-project entry may stand for, in the order they are tried: an absolute entry
// alone; else the entry joined to the directory, then to each source directory, then to each
// include search directory.
std::vector<std::string> GpjReader::candidates(const std::string& directory, const std::string& entry) const {
  if (isAbsolutePath(entry)) return {withBackslashes(entry)};
  std::vector<std::string> paths{withBackslashes(directory + "\\" + entry)};
  for (const SearchDirectories* list : {&sourceDirs_, &includeSearchDirs_}) {
    for (const std::string& searched : list->entries()) paths.push_back(withBackslashes(searched + "\\" + entry));
  }
  return paths;
}

bool GpjReader::opens(const std::string& path) { return host_->openRead(path) != nullptr; }

// The rules in the order they are tried; the first that matches decides, even when the value
// it takes out is empty. Brace groups at the start of the line are taken off first and the
// rest of the line stands for the line.
void GpjReader::applyLine(const std::string& rawLine, std::vector<SubProject>& subProjects) {
  const BraceGroups groups = takeBraceGroups(lineText(rawLine));
  bool optional = false;
  for (const std::string& inner : groups.inner) {
    if (inner == "optional") optional = true;
    if (evaluateCondition(inner, names()) == false) return;
  }
  const std::string& line = groups.inner.empty() ? rawLine : groups.rest;
  const std::string& text = groups.rest;
  if (startsWith(text, "#")) return;
  if (startsWith(text, "-") || startsWith(text, ":")) {
    applyOption(line, text);
  } else if (isMacroLine(text)) {
    if (const std::optional<MacroDefinition> macro = macroDefinition(line)) defineMacro(macro->name, macro->value);
  } else if (contains(line, ":sourceDir=")) {
    addSourceDir(line);
  } else if (contains(line, ".gpj")) {
    std::string entry = subProjectEntry(line);
    if (!entry.empty()) subProjects.push_back(SubProject{std::move(entry), optional || contains(text, "{optional}")});
  } else if (contains(line, ".c")) {
    addSourceFile(line);
  } else if (contains(line, "-I")) {
    addInclude(line);
  } else if (contains(line, "-D")) {
    currentGroup_->addDefine(defineText(line));
  }
}

// A line that begins with "-" or ":" is an option, whatever else it holds; spaces after "-D"
// are not part of the define.
void GpjReader::applyOption(const std::string& line, const std::string& text) {
  if (startsWith(text, ":sourceDir=")) {
    addSourceDir(line);
  } else if (startsWith(text, "-I")) {
    addInclude(line);
  } else if (startsWith(text, "-D")) {
    const std::string define = defineText(line);
    currentGroup_->addDefine(define.substr(std::min(define.find_first_not_of(' '), define.size())));
  }
}

void GpjReader::addSourceDir(const std::string& line) {
  std::string directory = unquoted(sourceDirText(line));
  resolvePath(directory, PathSearch::kNone);
  if (directory.empty() || !sourceDirs_.add(directory)) return;
  sourceDirSearch_->add(withBackslashes(directory));
}

void GpjReader::addSourceFile(const std::string& line) {
  std::string file = unquoted(sourceFileText(line));
  resolvePath(file, PathSearch::kSourceDirs);
  if (extensionAccepted(file, extensions_)) currentGroup_->files.push_back(std::move(file));
}

// A directory that the group or the compiler personality holds already is not added to the
// group again, but it still joins the search for sub-projects.
void GpjReader::addInclude(const std::string& line) {
  std::string directory = unquoted(includeText(line));
  resolvePath(directory, PathSearch::kNone);
  if (!isCompilerInclude_ || !isCompilerInclude_(directory)) currentGroup_->addInclude(directory);
  includeSearchDirs_.add(directory);
}

void GpjReader::defineMacro(const std::string& name, const std::string& value) {
  macros_[name] = absoluteMacroValue(currentGroup_->sourcePath, value);
  writtenMacros_[name] = value;
}

void GpjReader::resolvePath(std::string& text, PathSearch search) {
  text = expandBraceReferences(text, names());
  if (contains(text, "$")) {
    text = withBackslashes(expandFirstMacro(text, macros_));
    return;
  }
  if (isAbsolutePath(text)) {
    text = withBackslashes(text);
    return;
  }
  std::string unjoined = std::move(text);
  text = withBackslashes(joinRelative(currentGroup_->sourcePath, unjoined));
  if (search == PathSearch::kNone) {
    text = withoutTrailingDot(text);
    return;
  }
  if (opens(text)) return;
  if (std::optional<std::string> found = sourceDirSearch_->firstThatOpens(withBackslashes(std::move(unjoined)))) {
    text = std::move(*found);
  }
}

}  // namespace kalvex
