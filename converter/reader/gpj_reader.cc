#include "reader/gpj_reader.h"

#include <optional>
#include <set>
#include <utility>

#include "errors.h"
#include "host/host.h"
#include "project_converter.h"
#include "reader/line_values.h"

namespace kalvex {

// The chain of files being read, from the top file down to the one whose sub-projects are
// walked now. Kept on the heap so that no depth of nesting exhausts the stack.
struct GpjReader::Walk {
  struct Frame {
    ProjectGroup* group;
    std::vector<std::string> subProjects;
    std::size_t next;
    std::optional<FileIdentity> identity;
  };
  std::vector<Frame> frames;
  std::set<FileIdentity> reading;
};

void GpjReader::link(ProjectGroup& group, ProjectConverter& converter) {
  currentGroup_ = &group;
  converter_ = &converter;
}

void GpjReader::open(const std::string& path) {
  input_.reset();
  currentPath_ = path;
  input_ = converter_->host().openRead(path);
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
    const std::string entry = std::move(top.subProjects[top.next++]);
    readSubProject(parent, entry);
    enterFile(walk);
  }
}

// Reads the file open on currentPath_ into currentGroup_ unless it is already being read
// further up the chain.
void GpjReader::enterFile(Walk& walk) {
  const std::optional<FileIdentity> identity = converter_->host().identify(currentPath_);
  if (identity && !walk.reading.insert(*identity).second) {
    input_.reset();
    throw AsciiReaderError{AsciiReaderError::kSubProjectLoop};
  }
  ProjectGroup* group = currentGroup_;
  walk.frames.push_back(Walk::Frame{group, readOpenFile(), 0, identity});
}

std::vector<std::string> GpjReader::readOpenFile() {
  std::vector<std::string> subProjects;
  std::string line;
  while (input_ && readLine(*input_, line)) applyLine(line, subProjects);
  input_.reset();
  return subProjects;
}

// Creates the child group of one sub-project entry and opens its file; the child becomes
// the current group.
void GpjReader::readSubProject(ProjectGroup& parent, const std::string& entry) {
  currentGroup_ = &parent;
  const std::string located = locate(parent.sourcePath, entry);
  ProjectGroup& child = parent.addChild(groupNameOf(entry));
  child.sourcePath = directoryOf(located);
  child.inheritFrom(parent);
  currentGroup_ = &child;
  open(located);
}

// The first candidate that opens: the directory, then the source directories, then the
// include search directories, each joined to the entry. The first candidate when none opens.
std::string GpjReader::locate(const std::string& directory, const std::string& entry) {
  const std::string first = directory + "\\" + entry;
  if (opens(first)) return first;
  for (const SearchDirectories* list : {&sourceDirs_, &includeSearchDirs_}) {
    for (const std::string& searched : list->entries()) {
      std::string candidate = searched + "\\" + entry;
      if (opens(candidate)) return candidate;
    }
  }
  return first;
}

bool GpjReader::opens(const std::string& path) { return converter_->host().openRead(path) != nullptr; }

// The first rule that matches decides, even when the value it takes out is empty.
void GpjReader::applyLine(const std::string& line, std::vector<std::string>& subProjects) {
  if (!line.empty() && line[0] == '#') return;
  if (contains(line, ":sourceDir=")) {
    addSourceDir(line);
  } else if (contains(line, ".gpj")) {
    std::string entry = subProjectEntry(line);
    if (!entry.empty()) subProjects.push_back(std::move(entry));
  } else if (contains(line, "macro")) {
    if (const std::optional<MacroDefinition> macro = macroDefinition(line)) defineMacro(macro->name, macro->value);
  } else if (contains(line, ".c")) {
    addSourceFile(line);
  } else if (contains(line, "-I")) {
    addInclude(line);
  } else if (contains(line, "-D")) {
    currentGroup_->addDefine(defineText(line));
  }
}

void GpjReader::addSourceDir(const std::string& line) {
  std::string directory = sourceDirText(line);
  resolvePath(directory, PathSearch::kNone);
  if (!directory.empty()) sourceDirs_.add(directory);
}

void GpjReader::addSourceFile(const std::string& line) {
  std::string file = sourceFileText(line);
  resolvePath(file, PathSearch::kSourceDirs);
  if (extensionAccepted(file, extensions_)) currentGroup_->files.push_back(std::move(file));
}

// A directory that the group or the compiler personality holds already is not added to the
// group again, but it still joins the search for sub-projects.
void GpjReader::addInclude(const std::string& line) {
  std::string directory = includeText(line);
  resolvePath(directory, PathSearch::kNone);
  if (!converter_->isCompilerInclude(directory)) currentGroup_->addInclude(directory);
  includeSearchDirs_.add(directory);
}

void GpjReader::defineMacro(const std::string& name, const std::string& value) {
  macros_[name] = absoluteMacroValue(currentGroup_->sourcePath, value);
}

void GpjReader::resolvePath(std::string& text, PathSearch search) {
  if (contains(text, "$")) {
    text = expandFirstMacro(text, macros_);
    return;
  }
  if (contains(text, ":")) return;
  const std::string unjoined = text;
  text = joinRelative(currentGroup_->sourcePath, unjoined);
  if (search == PathSearch::kNone) {
    text = withoutTrailingDot(text);
    return;
  }
  if (opens(text)) return;
  for (const std::string& directory : sourceDirs_.entries()) {
    std::string candidate = directory + "\\" + unjoined;
    if (opens(candidate)) {
      text = std::move(candidate);
      return;
    }
  }
}

}  // namespace kalvex
