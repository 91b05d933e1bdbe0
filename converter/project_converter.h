// The converter of one run: the settings taken from the command line, the include
// directories of the compiler personality, the group tree and the project-file reader.
#ifndef KALVEX_PROJECT_CONVERTER_H
#define KALVEX_PROJECT_CONVERTER_H

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <unordered_set>
#include <vector>

#include "project_group.h"
#include "read_record.h"
#include "reader/gpj_reader.h"
#include "writer/report_file.h"
#include "writer/staged_files.h"

namespace kalvex {

class Host;

// Filled by the entry; nothing changes them afterwards.
struct ConversionSettings {
  std::string sourceProject;
  std::string destFolder;
  std::string projectName;
  std::string messagePersonality;
  std::string analyserPersonality;
  std::string compilerPersonality;
  // Accepted source-file extensions; empty accepts every file.
  std::vector<std::string> extensions;
  // Where the compilation database goes; empty writes none.
  std::string compileDatabase;
  // Where the report of the findings goes; empty writes none.
  std::string report;
  // The build configuration to read, by its NAME or TAG; empty reads none.
  std::string configuration;
};

class ProjectConverter {
 public:
  // Both paths are already absolute. Creates the root group, named after the source file.
  // Every file operation goes through host; every message goes to log.
  ProjectConverter(std::string sourceProject, std::string destFolder, Host& host, std::ostream& log);
  ProjectConverter(const ProjectConverter&) = delete;
  ProjectConverter& operator=(const ProjectConverter&) = delete;

  ConversionSettings settings;

  // Appends the comma-separated pieces of text, empty pieces included, to the extensions.
  void addExtensions(const std::string& text);

  std::string destFolder() const { return settings.destFolder; }
  std::string projectName() const { return settings.projectName; }
  std::string messagePersonality() const { return settings.messagePersonality; }
  std::string analyserPersonality() const { return settings.analyserPersonality; }
  std::string compilerPersonality() const { return settings.compilerPersonality; }

  // Include directories named in the compiler personality, in file order, duplicates kept.
  const std::vector<std::string>& compilerIncludes() const { return compilerIncludes_; }
  bool isCompilerInclude(const std::string& directory) const { return compilerIncludeIndex_.count(directory) != 0; }
  void addCompilerInclude(const std::string& directory);

  Host& host() { return *host_; }
  // Every file the run writes, moved into place only when the whole run succeeded.
  StagedFiles& outputs() { return outputs_; }
  // The analyser personality as the writer copies it (crlfText), read before anything is
  // written; nothing when none was given or it cannot be opened.
  const std::optional<std::string>& analyserTemplate() const { return analyserTemplate_; }
  // Adds a finding to the report, when one is written.
  void report(const Finding& finding);
  // Writes one message line and flushes it.
  void print(const std::string& line);

  // Runs the whole conversion holding the destination's lock; returns the exit status.
  int convert();
  int convertLocked();
  void runSteps();
  // Writes the target project of the root group's tree; returns 0.
  int writeProject();
  // Writes the target project of the tree under root, a group of this converter; returns 0.
  int writeProject(ProjectGroup& root);
  // Reads the include directories of the compiler personality; one it cannot open is told of
  // and gives false.
  bool readCompilerIncludes();
  // Writes the compilation database of the tree under root to settings.compileDatabase,
  // replacing an earlier one only once the new one is complete.
  void writeCompileDatabase(const ProjectGroup& root);
  // The report, when one is asked for: opened before anything is read, finished once the
  // project is written, or after the failure that ended the run.
  void openReport();
  void finishReport();
  // Also puts back what was moved and removes every temporary file but the report's;
  // printed is the path of the failure's message, which is not printed again.
  void finishReportAfterFailure(const std::string& printed);
  // Reads the personalities given before anything is written.
  void readPersonalities();
  void readAnalyserTemplate();
  // Moves every output into place, all or none; raises IOERROR.
  void commitOutputs();
  // Whether path names, by identity, a file that the run read or a personality given.
  bool isInput(const std::string& path);
  // Ends a run that must leave nothing behind, the report included.
  void refuseConfiguration();

 private:
  Host* host_;
  std::ostream* log_;
  std::vector<std::string> compilerIncludes_;
  std::unordered_set<std::string> compilerIncludeIndex_;
  std::unique_ptr<ProjectGroup> rootGroup_;
  ReadRecord readRecord_;
  GpjReader reader_;
  StagedFiles outputs_;
  std::optional<std::string> analyserTemplate_;
  std::unique_ptr<ReportFile> report_;
};

}  // namespace kalvex

#endif
