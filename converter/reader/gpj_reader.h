// Reads the top .gpj project file and, depth first, every sub-project file that it names,
// into the group tree below the root group.
#ifndef KALVEX_READER_GPJ_READER_H
#define KALVEX_READER_GPJ_READER_H

#include <istream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kalvex {

class ProjectConverter;
class ProjectGroup;

class GpjReader {
 public:
  // Points the reader at the group whose file is read first, and at the converter that owns
  // the tree.
  void link(ProjectGroup& group, ProjectConverter& converter);
  // Replaces the reader's extension list.
  void setExtensions(const std::vector<std::string>& extensions) { extensions_ = extensions; }

  // Opens a project file for reading; throws AsciiReaderError code 2 when it cannot be opened.
  void open(const std::string& path);
  // Reads the open file to its end, then its sub-projects, depth first.
  void parse();

  // The path open() was last given; after a failure, the path that failed.
  const std::string& currentPath() const { return currentPath_; }

 private:
  ProjectGroup* currentGroup_ = nullptr;
  ProjectConverter* converter_ = nullptr;
  std::string currentPath_;
  std::unique_ptr<std::istream> input_;
  std::vector<std::string> extensions_;
  std::map<std::string, std::string> macros_;
  std::vector<std::string> sourceDirs_;
  std::vector<std::string> includeSearchDirs_;
};

}  // namespace kalvex

#endif
