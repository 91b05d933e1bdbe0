// Reads the top .gpj project file and, depth first, every sub-project file that it names,
// into the group tree below the root group. Every file is reached through the host it is
// linked to; the reader prints nothing.
#ifndef KALVEX_READER_GPJ_READER_H
#define KALVEX_READER_GPJ_READER_H

#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "reader/conditions.h"
#include "reader/findings.h"
#include "reader/line_findings.h"
#include "reader/path_rules.h"
#include "reader/references.h"

namespace kalvex {

class ProjectGroup;

// True for an include directory that the compiler personality gives already.
using CompilerIncludeTest = std::function<bool(const std::string& directory)>;

// Whether a relative source path that is missing from the group's directory is looked for
// in the source directories.
enum class PathSearch { kNone, kSourceDirs };

// Whether a source file was found where resolvePath looked for it.
enum class Located { kNotSearched, kFound, kMissing };

// Whether a sub-project that cannot be found is skipped ("{optional}") or ends the run.
enum class Presence { kRequired, kOptional };

class GpjReader {
 public:
  // Points the reader at the group whose file is read first, the host that every file is
  // reached through, and the test for the compiler personality's include directories.
  void link(ProjectGroup& group, Host& host, CompilerIncludeTest isCompilerInclude);
  // Replaces the reader's extension list.
  void setExtensions(const std::vector<std::string>& extensions) { extensions_ = extensions; }
  // Where the findings go, in the order the lines are met; none are made without a sink.
  void setFindings(FindingSink* sink) { findings_.setSink(sink); }

  // The "-config" word: the first configuration of the top file whose NAME or TAG it names,
  // ASCII case ignored, is chosen. Empty chooses none.
  void setConfiguration(const std::string& word) { configurationWord_ = word; }
  // The configurations the top file defines, in line order.
  const std::vector<BuildConfiguration>& configurations() const { return configurations_; }

  // Opens a project file for reading; throws AsciiReaderError::kCannotOpen when it cannot be
  // opened, and kNotText when the top file is no text (a sub-project that is none is read as
  // an empty file).
  void open(const std::string& path);
  // Reads the open file to its end, then its sub-projects, depth first. Throws
  // AsciiReaderError::kSubProjectLoop when a sub-project is a file already being read further
  // up its chain, currentPath() then naming it, and AsciiReaderError::kUnknownConfiguration,
  // before any sub-project is read, when the top file has no configuration of the word.
  void parse();

  // The path open() was last given; after a failure, the path that failed.
  const std::string& currentPath() const { return currentPath_; }

  // Stores a macro twice: as written, and made absolute against the current group's
  // directory unless it is absolute or begins with "$". A value in quotes loses them; a value
  // "%expand_path(X)" is X resolved against the directory, in both forms. A later definition
  // of the name replaces both.
  void defineMacro(const std::string& name, const std::string& value);
  // Rewrites a path text taken from a line of the current group's file: expands every macro
  // reference. A text that began with "$" and held a "$(NAME)" or "$NAME", or still holds a
  // "$", is then left as it is; any other is joined to the group's directory when relative
  // (a missing source file searched for in the source directories) and left alone when
  // absolute. Forward slashes come out as backslashes; a file found is spelled as on disk.
  // Tells whether a relative source file was found, kNotSearched for every other text.
  Located resolvePath(std::string& text, PathSearch search);

 private:
  struct Walk;
  struct SubProject {
    std::string entry;
    Presence presence;
    LinePosition namedAt;  // kept only for the findings
  };
  // An options file being read, in place of the line that named it.
  struct OptionsFile {
    std::unique_ptr<std::istream> input;
    std::optional<FileIdentity> identity;
    std::string path;
    std::size_t lineNumber = 0;
  };

  // The top file's failures end the run; a sub-project that is no text is read as empty.
  enum class FileRole { kTop, kSubProject };
  void openFile(const std::string& path, FileRole role);
  void enterFile(Walk& walk);
  std::vector<SubProject> readOpenFile();
  // subProjects is null for the lines of an options file, which name no sub-project and no
  // source file.
  void applyLine(const std::string& line, std::vector<SubProject>* subProjects);
  // indent is the number of blanks and tabs the line begins with.
  void applyRule(const std::string& line, const std::string& text, std::vector<SubProject>* subProjects,
                 Presence presence, std::size_t indent);
  // Nothing when the brace groups leave the line naming nothing; else whether they make its
  // entry optional.
  std::optional<Presence> conditionsHold(const std::vector<std::string>& groups);
  void applyOptions(const std::string& line, const std::string& text, EntryScope::Kind under);
  void defineConfiguration(const std::string& text);
  void requireChosenConfiguration() const;
  void applyOption(const std::string& line, const std::string& text, EntryScope::Kind under);
  void openOptionsFile(const std::string& text);
  void addSourceDir(const std::string& line);
  void addSubProject(const std::string& line, const std::string& text, std::size_t indent, Presence presence,
                     std::vector<SubProject>& subProjects);
  void addSourceFile(const std::string& line, std::size_t indent);
  void addInclude(const std::string& text, EntryScope::Kind under);
  void addUndefine(const std::string& text, EntryScope::Kind under);
  // A define text without its enclosing double quotes and with its references expanded.
  std::string expandedDefine(const std::string& define);
  void importMacro(const std::string& name);
  bool readSubProject(ProjectGroup& parent, const SubProject& subProject);
  std::optional<std::string> locateSubProject(const std::string& directory, const std::string& entry,
                                              std::string& first);
  std::optional<std::string> found(const std::string& path) { return host_->findFile(path); }
  NameSources names() const { return NameSources{writtenMacros_, environment_}; }
  ReferenceSources references() const;
  ConditionSources conditionSources() const { return ConditionSources{names(), chosen_ ? &*chosen_ : nullptr}; }

  ProjectGroup* currentGroup_ = nullptr;
  Host* host_ = nullptr;
  CompilerIncludeTest isCompilerInclude_;
  // The linked host's environment, for the references and conditions that name a variable.
  Environment environment_;
  std::string currentPath_;
  std::unique_ptr<std::istream> input_;
  std::vector<OptionsFile> optionsFiles_;
  std::vector<std::string> extensions_;
  MacroTable macros_;
  MacroTable writtenMacros_;
  SearchDirectories sourceDirs_;
  std::unique_ptr<DirectorySearch> sourceDirSearch_;
  SearchDirectories includeSearchDirs_;
  LineFindings findings_;
  // Texts of the line being read, kept so that their storage serves every line.
  std::string lineText_;
  std::string sourceFile_;
  std::string unjoined_;
  // The line that named the project file opened next; empty for the top file.
  LinePosition namedAt_;
  EntryScope entryScope_;
  std::string configurationWord_;
  std::vector<BuildConfiguration> configurations_;
  std::optional<BuildConfiguration> chosen_;
  // True while the lines of the top file are read.
  bool readingTopFile_ = false;
};

}  // namespace kalvex

#endif
