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
  if (!input_) {
    // The top file is named by the command line, not by a line: it stands for itself.
    findings_.projectFileMissing(namedAt_.file.empty() ? LinePosition{path} : namedAt_, path);
    throw AsciiReaderError{AsciiReaderError::kCannotOpen};
  }
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
    findings_.subProjectLoop(namedAt_, currentPath_);
    throw AsciiReaderError{AsciiReaderError::kSubProjectLoop};
  }
  ProjectGroup* group = currentGroup_;
  walk.frames.push_back(Walk::Frame{group, readOpenFile(), 0, identity});
}

std::vector<GpjReader::SubProject> GpjReader::readOpenFile() {
  std::vector<SubProject> subProjects;
  std::string line;
  std::size_t number = 0;
  while (input_ && readLine(*input_, line)) {
    findings_.atLine(currentPath_, ++number, line);
    applyLine(line, subProjects);
  }
  input_.reset();
  entryScope_.leave();
  return subProjects;
}

// Creates the child group of one sub-project entry and opens its file; the child becomes
// the current group. False, with nothing created, for an optional one that cannot be opened.
bool GpjReader::readSubProject(ProjectGroup& parent, const SubProject& subProject) {
  currentGroup_ = &parent;
  const std::string entry = expandFirstMacro(expandBraceReferences(subProject.entry, names()), macros_);
  const std::vector<std::string> tried = candidates(parent.sourcePath, entry);
  const auto found = std::find_if(tried.begin(), tried.end(), [this](const std::string& path) { return opens(path); });
  if (found == tried.end() && subProject.optional) {
    findings_.optionalAbsent(subProject.namedAt, subProject.entry);
    return false;
  }
  const std::string located = found == tried.end() ? tried.front() : *found;
  ProjectGroup& child = parent.addChild(groupNameOf(located));
  child.sourcePath = directoryOf(located);
  child.inheritFrom(parent);
  currentGroup_ = &child;
  namedAt_ = subProject.namedAt;
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
  if (!conditionsHold(groups.inner, optional)) return;
  const std::string& line = groups.inner.empty() ? rawLine : groups.rest;
  const std::string& text = groups.rest;
  if (text.empty() || startsWith(text, "#")) return;
  const std::size_t indent = lineIndent(rawLine);
  if (startsWith(text, "-") || startsWith(text, ":")) {
    applyOption(line, text, entryScope_.optionLine(indent));
    return;
  }
  entryScope_.leave();
  if (isMacroLine(text)) {
    if (const std::optional<MacroDefinition> macro = macroDefinition(line)) defineMacro(macro->name, macro->value);
  } else if (contains(line, ":sourceDir=")) {
    addSourceDir(line);
  } else if (contains(line, ".gpj")) {
    addSubProject(line, text, indent, optional, subProjects);
  } else if (contains(line, ".c")) {
    addSourceFile(line, indent);
  } else if (contains(line, "-I")) {
    addInclude(line);
  } else if (contains(line, "-D")) {
    currentGroup_->addDefine(defineText(line));
  }
}

// False when a condition is false. An "optgroup=" group only sorts options in the IDE; every
// other group that is no condition is told of, since the line is read as if it were not there.
bool GpjReader::conditionsHold(const std::vector<std::string>& groups, bool& optional) {
  for (const std::string& inner : groups) {
    if (inner == "optional") {
      optional = true;
      continue;
    }
    const std::optional<bool> truth = evaluateCondition(inner, names());
    if (truth == false) {
      findings_.conditionFalse(inner);
      return false;
    }
    if (!truth && !startsWith(inner, "optgroup=")) findings_.conditionNotEvaluated(inner);
  }
  return true;
}

// A line that begins with "-" or ":" is an option, whatever else it holds; spaces after "-D"
// are not part of the define. under is the entry the line is indented under.
void GpjReader::applyOption(const std::string& line, const std::string& text, EntryScope::Kind under) {
  const bool underSubProject = under == EntryScope::Kind::kSubProject;
  if (startsWith(text, ":sourceDir=")) {
    addSourceDir(line);
  } else if (startsWith(text, "-I")) {
    addInclude(line);
    if (under != EntryScope::Kind::kNone) findings_.perFileOption(text, entryScope_.text(), underSubProject, true);
  } else if (startsWith(text, "-D")) {
    const std::string define = defineText(line);
    currentGroup_->addDefine(define.substr(std::min(define.find_first_not_of(' '), define.size())));
    if (under != EntryScope::Kind::kNone) findings_.perFileOption(text, entryScope_.text(), underSubProject, true);
  } else {
    applyUnconvertedOption(text, under);
  }
}

// Options the project cannot carry although they change what the preprocessor sees.
void GpjReader::applyUnconvertedOption(const std::string& text, EntryScope::Kind under) {
  if (!findings_.enabled()) return;
  if (startsWith(text, "-U") && under != EntryScope::Kind::kNone) {
    findings_.perFileOption(text, entryScope_.text(), under == EntryScope::Kind::kSubProject, false);
  } else if (changesPreprocessing(text)) {
    findings_.optionNotConverted(text);
  }
}

void GpjReader::addSubProject(const std::string& line, const std::string& text, std::size_t indent, bool optional,
                              std::vector<SubProject>& subProjects) {
  std::string entry = subProjectEntry(line);
  if (entry.empty()) return;
  entryScope_.enter(EntryScope::Kind::kSubProject, indent, entry, findings_.enabled());
  LinePosition namedAt = findings_.enabled() ? findings_.here() : LinePosition{};
  subProjects.push_back(SubProject{std::move(entry), optional || contains(text, "{optional}"), std::move(namedAt)});
}

void GpjReader::addSourceDir(const std::string& line) {
  std::string directory = unquoted(sourceDirText(line));
  resolvePath(directory, PathSearch::kNone);
  if (directory.empty() || !sourceDirs_.add(directory)) return;
  sourceDirSearch_->add(withBackslashes(directory));
}

// With findings, a source file that no candidate holds is told of; it is listed all the same.
void GpjReader::addSourceFile(const std::string& line, std::size_t indent) {
  std::string file = unquoted(sourceFileText(line));
  if (findings_.enabled()) writtenFile_.assign(file);
  const Located located = resolvePath(file, PathSearch::kSourceDirs);
  entryScope_.enter(EntryScope::Kind::kSourceFile, indent, writtenFile_, findings_.enabled());
  if (!extensionAccepted(file, extensions_)) {
    findings_.notASource(writtenFile_, !extensions_.empty());
    return;
  }
  if (findings_.enabled() && located != Located::kFound && (located == Located::kMissing || !opens(file))) {
    findings_.sourceNotFound(writtenFile_, file);
  }
  currentGroup_->files.push_back(std::move(file));
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

Located GpjReader::resolvePath(std::string& text, PathSearch search) {
  text = expandBraceReferences(text, names());
  if (contains(text, "$")) {
    text = withBackslashes(expandFirstMacro(text, macros_));
    return Located::kNotSearched;
  }
  if (isAbsolutePath(text)) {
    text = withBackslashes(text);
    return Located::kNotSearched;
  }
  std::string unjoined = std::move(text);
  text = withBackslashes(joinRelative(currentGroup_->sourcePath, unjoined));
  if (search == PathSearch::kNone) {
    text = withoutTrailingDot(text);
    return Located::kNotSearched;
  }
  if (opens(text)) return Located::kFound;
  if (std::optional<std::string> found = sourceDirSearch_->firstThatOpens(withBackslashes(std::move(unjoined)))) {
    text = std::move(*found);
    return Located::kFound;
  }
  return Located::kMissing;
}

}  // namespace kalvex
