// Reads the top .gpj project file and, depth first, every sub-project file that it names,
// into the group tree below the root group. Every file is reached through the converter's
// host; the reader prints nothing.
#ifndef KALVEX_READER_GPJ_READER_H
#define KALVEX_READER_GPJ_READER_H

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "reader/path_rules.h"

namespace kalvex {

class ProjectConverter;
class ProjectGroup;

// Whether a relative source path that is missing from the group's directory is looked for
// in the source directories.
enum class PathSearch { kNone, kSourceDirs };

class GpjReader {
 public:
  // Points the reader at the group whose file is read first, and at the converter that owns
  // the tree.
  void link(ProjectGroup& group, ProjectConverter& converter);
  // Replaces the reader's extension list.
  void setExtensions(const std::vector<std::string>& extensions) { extensions_ = extensions; }

  // Opens a project file for reading; throws AsciiReaderError code 2 when it cannot be opened.
  void open(const std::string& path);
  // Reads the open file to its end, then its sub-projects, depth first. Throws
  // AsciiReaderError code 3 when a sub-project is a file already being read further up its
  // chain, currentPath() then naming it.
  void parse();

  // The path open() was last given; after a failure, the path that failed.
  const std::string& currentPath() const { return currentPath_; }

  // Stores a macro; a value without a colon is made absolute against the current group's
  // directory. A later definition of the name replaces the value.
  void defineMacro(const std::string& name, const std::string& value);
  // Rewrites a path text taken from a line of the current group's file: expands its first
  // macro reference, or joins a relative text to the group's directory (searching the
  // source directories for a missing source file), and leaves an absolute text alone.
  void resolvePath(std::string& text, PathSearch search);

  const MacroTable& macros() const { return macros_; }
  const std::vector<std::string>& sourceDirs() const { return sourceDirs_.entries(); }
  const std::vector<std::string>& includeSearchDirs() const { return includeSearchDirs_.entries(); }

 private:
  struct Walk;

  void enterFile(Walk& walk);
  std::vector<std::string> readOpenFile();
  void applyLine(const std::string& line, std::vector<std::string>& subProjects);
  void addSourceDir(const std::string& line);
  void addSourceFile(const std::string& line);
  void addInclude(const std::string& line);
  void readSubProject(ProjectGroup& parent, const std::string& entry);
  std::string locate(const std::string& directory, const std::string& entry);
  bool opens(const std::string& path);

  ProjectGroup* currentGroup_ = nullptr;
  ProjectConverter* converter_ = nullptr;
  std::string currentPath_;
  std::unique_ptr<std::istream> input_;
  std::vector<std::string> extensions_;
  MacroTable macros_;
  SearchDirectories sourceDirs_;
  SearchDirectories includeSearchDirs_;
};

}  // namespace kalvex

#endif
