#include "reader/gpj_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "host/host.h"
#include "project_group.h"
#include "reader/brace_groups.h"
#include "reader/configurations.h"
#include "reader/line_values.h"
#include "reader/option_split.h"
#include "reader/text_input.h"
#include "text/lexical_path.h"

namespace kalvex {
namespace {

constexpr std::string_view kMacroOption = ":macro=";
constexpr std::string_view kOptionsFileOption = ":optionsFile=";

}  // namespace

// The rules in the order they are tried; the first that matches decides, even when the value
// it takes out is empty. Brace groups at the start of the line are taken off first, and the
// rest of the line, to its very end, stands for the line.
void GpjReader::applyLine(const std::string& rawLine, std::vector<SubProject>* subProjects) {
  const std::size_t first = firstNonBlank(rawLine);
  if (first == std::string::npos || rawLine[first] != '{') {
    lineText_.assign(lineText(rawLine));
    applyRule(rawLine, lineText_, subProjects, Presence::kRequired, first);
    return;
  }
  const BraceGroups groups = takeBraceGroups(rawLine.substr(first));
  const std::optional<Presence> presence = conditionsHold(groups.inner);
  if (!presence) return;
  // A "{" without its match took nothing off: the line stands as it is.
  const std::string& line = groups.inner.empty() ? rawLine : groups.rest;
  lineText_.assign(lineText(line));
  applyRule(line, lineText_, subProjects, *presence, first);
}

// Blank lines, comments and option lines indented under the last entry keep it as the entry
// that later option lines may stand under; every other line ends its scope.
void GpjReader::applyRule(const std::string& line, const std::string& text, std::vector<SubProject>* subProjects,
                          Presence presence, std::size_t indent) {
  if (text.empty() || startsWith(text, "#")) return;
  if (startsWith(text, "-") || startsWith(text, ":")) {
    applyOptions(line, text, entryScope_.optionLine(indent));
    return;
  }
  entryScope_.leave();
  if (isMacroLine(text)) {
    if (const std::optional<MacroDefinition> macro = macroDefinition(line)) defineMacro(macro->name, macro->value);
  } else if (const std::optional<std::string> imported = importName(text)) {
    importMacro(*imported);
  } else if (isConfigurationLine(text)) {
    if (readingTopFile_ && subProjects != nullptr) defineConfiguration(text);
  } else if (contains(line, ":sourceDir=")) {
    addSourceDir(line);
  } else if (contains(line, ".gpj")) {
    if (subProjects != nullptr) addSubProject(line, text, indent, presence, *subProjects);
  } else if (namesSourceFile(line)) {
    if (subProjects != nullptr) addSourceFile(line, indent);
  } else if (contains(line, "-I")) {
    addInclude(line, EntryScope::Kind::kNone);
  } else if (contains(line, "-D")) {
    currentGroup_->addDefine(expandedDefine(defineText(line)));
  }
}

// Each option of an option line is read as an option line of its own, in order; the last one
// keeps the line's end (trailing tabs of a source directory).
void GpjReader::applyOptions(const std::string& line, const std::string& text, EntryScope::Kind under) {
  std::size_t from = 0;
  for (std::size_t next = nextOptionStart(text, 0); next != std::string::npos; next = nextOptionStart(text, from)) {
    const std::string option = optionBetween(text, from, next);
    applyOption(option, option, under);
    from = next;
  }
  if (from == 0) {
    applyOption(line, text, under);
  } else {
    applyOption(line.substr(firstNonBlank(line) + from), text.substr(from), under);
  }
}

// A line whose text begins with "-" or ":" is an option, whatever else it holds. Include and
// define take their values from the text; spaces after "-D" are not part of the define.
// under is the entry the line is indented under. Other options the project cannot carry are
// told of when they change what the preprocessor sees.
void GpjReader::applyOption(const std::string& line, const std::string& text, EntryScope::Kind under) {
  const bool underEntry = under != EntryScope::Kind::kNone;
  if (startsWith(text, ":sourceDir=")) {
    addSourceDir(line);
  } else if (startsWith(text, "-I")) {
    addInclude(text, under);
    if (underEntry) findings_.perFileOption(text, entryScope_.text(), under, Carried::kToTheGroup);
  } else if (startsWith(text, "-D")) {
    const std::string define = defineText(text);
    const std::string name = expandedDefine(define.substr(std::min(define.find_first_not_of(' '), define.size())));
    if (under == EntryScope::Kind::kSourceFile) {
      currentGroup_->addFileDefine(entryScope_.file(), name);
    } else {
      currentGroup_->addDefine(name);
    }
    if (underEntry) findings_.perFileOption(text, entryScope_.text(), under, Carried::kToTheGroup);
  } else if (startsWith(text, kMacroOption)) {
    if (const std::optional<MacroDefinition> macro = macroDefinition("macro " + text.substr(kMacroOption.size()))) {
      defineMacro(macro->name, macro->value);
    }
  } else if (startsWith(text, kOptionsFileOption)) {
    openOptionsFile(text.substr(kOptionsFileOption.size()));
  } else if (startsWith(text, "-U")) {
    addUndefine(text, under);
  } else if (findings_.enabled() && changesPreprocessing(text)) {
    findings_.optionNotConverted(text);
  }
}

void GpjReader::addSourceDir(const std::string& line) {
  std::string directory = unquoted(sourceDirText(line));
  resolvePath(directory, PathSearch::kNone);
  if (directory.empty() || !sourceDirs_.add(directory)) return;
  sourceDirSearch_->add(withBackslashes(directory));
}

// With findings, a source file that no candidate holds is told of; it is listed all the same.
void GpjReader::addSourceFile(const std::string& line, std::size_t indent) {
  std::string& file = sourceFile_;
  file.assign(sourceFileText(line));
  // Each rule changes the text only where it ends in "]" or begins with a quote.
  if (!file.empty() && file.back() == ']') file = withoutTypeTag(file);
  if (!file.empty() && (file.front() == '"' || file.front() == '\'')) file = unquoted(file);
  // The entry keeps the file as written, for the findings.
  entryScope_.enter(EntryScope::Kind::kSourceFile, indent, file, findings_.entryText());
  const Located located = resolvePath(file, PathSearch::kSourceDirs);
  if (!extensionAccepted(file, extensions_)) {
    findings_.notASource(entryScope_.text(), extensions_.empty() ? LeftOutBy::kCOrCxxTest : LeftOutBy::kExtensionList);
    return;
  }
  if (findings_.enabled() && located != Located::kFound && (located == Located::kMissing || !found(file))) {
    findings_.sourceNotFound(entryScope_.text(), file);
  }
  currentGroup_->files.push_back(file);
  entryScope_.listed(currentGroup_->files.size() - 1);
}

// A directory that the group or the compiler personality holds already is not added to the
// group again, but it still joins the search for sub-projects. One indented under a source
// file is that file's own in the compilation database.
void GpjReader::addInclude(const std::string& text, EntryScope::Kind under) {
  std::string directory = unquoted(includeText(text));
  resolvePath(directory, PathSearch::kNone);
  if (!isCompilerInclude_ || !isCompilerInclude_(directory)) {
    if (under == EntryScope::Kind::kSourceFile) {
      currentGroup_->addFileInclude(entryScope_.file(), directory);
    } else {
      currentGroup_->addInclude(directory);
    }
  }
  includeSearchDirs_.add(directory);
}

// A "-U" name, which only the compilation database carries: the group's, or, indented under
// a source file, that file's alone. The project carries none.
void GpjReader::addUndefine(const std::string& text, EntryScope::Kind under) {
  const std::string name = undefineName(text);
  if (!name.empty() && under == EntryScope::Kind::kSourceFile) {
    currentGroup_->addFileUndefine(entryScope_.file(), name);
  } else if (!name.empty()) {
    currentGroup_->addUndefine(name);
  }
  if (under == EntryScope::Kind::kNone) {
    findings_.optionNotConverted(text);
  } else {
    findings_.perFileOption(text, entryScope_.text(), under, Carried::kNot);
  }
}

void GpjReader::defineMacro(const std::string& name, const std::string& value) {
  const std::string unquotedValue = unquoted(value);
  if (const std::optional<std::string> argument = wholeExpandPath(unquotedValue)) {
    const std::string path = expandPath(*argument, references());
    macros_[name] = path;
    writtenMacros_[name] = path;
    return;
  }
  macros_[name] = absoluteMacroValue(currentGroup_->sourcePath, unquotedValue);
  writtenMacros_[name] = unquotedValue;
}

// References in a define take the values as written, wherever they stand.
std::string GpjReader::expandedDefine(const std::string& define) {
  const bool quoted = define.size() >= 2 && define.front() == '"' && define.back() == '"';
  std::string text = quoted ? define.substr(1, define.size() - 2) : define;
  if (text.find('$') == std::string::npos) return text;
  Expansion expansion = expandReferences(text, ReferenceSources{writtenMacros_, names(), currentGroup_->sourcePath});
  findings_.unresolvedReferences(expansion.leftAsWritten);
  return std::move(expansion.text);
}

// "import NAME" is the line "macro NAME=<the environment variable NAME>"; without the
// variable it defines nothing.
void GpjReader::importMacro(const std::string& name) {
  const std::optional<std::string> value = environment_(name);
  if (!value) {
    findings_.importNotSet(name);
    return;
  }
  // The name holds no blank, tab or "=": the line's value is the variable's, stripped of spaces.
  defineMacro(name, stripChar(*value, ' '));
}

ReferenceSources GpjReader::references() const { return ReferenceSources{macros_, names(), currentGroup_->sourcePath}; }

Located GpjReader::resolvePath(std::string& text, PathSearch search) {
  // A text without "$" holds no reference: it is taken as it is, without a copy.
  if (contains(text, "$")) {
    const bool beganWithDollar = startsWith(text, "$");
    Expansion expansion = expandReferences(text, references());
    findings_.unresolvedReferences(expansion.leftAsWritten);
    text = std::move(expansion.text);
    if (beganWithDollar && (expansion.heldMacroReference || contains(text, "$"))) {
      text = withBackslashes(std::move(text));
      return Located::kNotSearched;
    }
  }
  if (isAbsolutePath(text)) {
    text = withBackslashes(std::move(text));
    return Located::kNotSearched;
  }
  // The texts trade their storage: neither is allocated again for the next line.
  unjoined_.swap(text);
  joinRelative(currentGroup_->sourcePath, unjoined_, text);
  useSeparator(text, '\\');
  if (search == PathSearch::kNone) {
    text = withoutTrailingDot(text);
    return Located::kNotSearched;
  }
  if (std::optional<std::string> onDisk = found(text)) {
    text = std::move(*onDisk);
    return Located::kFound;
  }
  if (sourceDirSearch_->empty()) return Located::kMissing;
  useSeparator(unjoined_, '\\');
  std::optional<std::string> inSourceDir = sourceDirSearch_->firstThatOpens(unjoined_);
  if (!inSourceDir) return Located::kMissing;
  text = std::move(*inSourceDir);
  return Located::kFound;
}

}  // namespace kalvex
