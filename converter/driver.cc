#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "errors.h"
#include "project_converter.h"
#include "reader/compiler_includes.h"
#include "reader/path_rules.h"
#include "text/lexical_path.h"
#include "writer/line_writer.h"

namespace kalvex {
namespace {

// The destination's lock from the start of a run to its end; an interruption removes its file.
class DestinationLock {
 public:
  DestinationLock(Host& host, const std::string& destFolder) : host_(host) {
    const std::string path = destFolder + "\\kalvex.lock";
    result_ = host_.lockFile(path);
    if (result_ == LockResult::kLocked) mark_ = host_.removeOnInterrupt(path);
  }
  ~DestinationLock() {
    if (result_ != LockResult::kLocked) return;
    host_.unlockFile();
    host_.keepOnInterrupt(mark_);
  }
  DestinationLock(const DestinationLock&) = delete;
  DestinationLock& operator=(const DestinationLock&) = delete;
  bool inUse() const { return result_ == LockResult::kInUse; }

 private:
  Host& host_;
  LockResult result_;
  std::size_t mark_ = 0;
};

// A finding about a whole file, at its first line: the message followed by the path.
void reportAtFile(ProjectConverter& converter, Severity severity, std::string_view message, std::string_view kind,
                  const std::string& path) {
  converter.report(Finding{path, 1, 1, severity, {message, path}, kind});
}

// Two outputs on one path: the same file, or paths whose steps are the same.
bool sameOutput(Host& host, const std::string& one, const std::string& other) {
  if (one.empty() || other.empty()) return false;
  if (lexicalSteps(one) == lexicalSteps(other)) return true;
  const std::optional<FileIdentity> identity = host.identify(one);
  return identity && identity == host.identify(other);
}

const char* readerFailureMessage(std::int32_t code) {
  if (code == AsciiReaderError::kSubProjectLoop) return "Sub-project loop: ";
  if (code == AsciiReaderError::kNotText) return "Not a project file: ";
  return "Could not open file: ";
}

}  // namespace

int ProjectConverter::convert() {
  const DestinationLock lock(*host_, settings.destFolder);
  if (lock.inUse()) {
    print("Destination in use: " + settings.destFolder);
    return 1;
  }
  return convertLocked();
}

int ProjectConverter::convertLocked() {
  try {
    runSteps();
    return 0;
  } catch (const AsciiReaderError& error) {
    if (error.code == AsciiReaderError::kUnknownConfiguration) {
      refuseConfiguration();
      return 1;
    }
    print(readerFailureMessage(error.code) + reader_.currentPath());
    finishReportAfterFailure(std::string());
  } catch (const IOERROR& error) {
    const bool folder = error.code == IOERROR::kCannotCreateDirectory;
    const std::string message = folder ? "Could not create directory: " : "Could not write file: ";
    print(message + error.path);
    // A writer failure is the report's last finding, at the path that failed.
    reportAtFile(*this, Severity::kError, message, folder ? "directory-failed" : "write-failed", error.path);
    finishReportAfterFailure(error.path);
  } catch (const std::bad_alloc&) {
    report_.reset();
    print("Out of memory");
    finishReportAfterFailure(std::string());
  }
  return 1;
}

void ProjectConverter::runSteps() {
  if (sameOutput(*host_, settings.report, settings.compileDatabase)) {
    throw IOERROR{IOERROR::kCannotWriteFile, settings.compileDatabase};
  }
  openReport();
  readPersonalities();
  rootGroup_->sourcePath = directoryOf(settings.sourceProject);
  reader_.link(*rootGroup_, readRecord_, [this](const std::string& directory) { return isCompilerInclude(directory); });
  reader_.setExtensions(settings.extensions);
  reader_.setConfiguration(settings.configuration);
  reader_.open(settings.sourceProject);
  reader_.parse();
  writeProject();
}

void ProjectConverter::openReport() {
  if (settings.report.empty()) return;
  report_ = std::make_unique<ReportFile>(*host_, outputs_, settings.report);
  reader_.setFindings(report_.get());
}

void ProjectConverter::report(const Finding& finding) {
  if (report_) report_->add(finding);
}

// Taken out of the converter first, so that a failure to finish it is not tried again.
void ProjectConverter::finishReport() {
  if (!report_) return;
  const std::unique_ptr<ReportFile> report = std::move(report_);
  reader_.setFindings(nullptr);
  report->finish();
}

// The word names no configuration of the top file: the run ends before anything is written,
// so the report's temporary file goes too.
void ProjectConverter::refuseConfiguration() {
  reader_.setFindings(nullptr);
  report_.reset();
  outputs_.discardAll(std::string());
  print("Unknown configuration: " + settings.configuration);
  for (const BuildConfiguration& configuration : reader_.configurations()) {
    print("  " + configuration.name + " (" + configuration.tag + ")");
  }
}

void ProjectConverter::finishReportAfterFailure(const std::string& printed) {
  outputs_.restore();
  const std::string& path = settings.report;
  outputs_.discardAll(path);
  try {
    if (!report_) {
      // Nothing to finish.
    } else if (isInput(path)) {
      report_.reset();
      if (path != printed) print("Could not write file: " + path);
    } else {
      finishReport();
      outputs_.move(path);
      outputs_.confirm();
    }
  } catch (const IOERROR& error) {
    if (error.path != printed) print("Could not write file: " + error.path);
  } catch (const std::bad_alloc&) {
    report_.reset();
  }
  outputs_.discardAll(std::string());
}

void ProjectConverter::commitOutputs() {
  for (const std::string* output : {&settings.compileDatabase, &settings.report}) {
    if (!output->empty() && isInput(*output)) throw IOERROR{IOERROR::kCannotWriteFile, *output};
  }
  outputs_.moveAll(settings.report);
  try {
    finishReport();
    outputs_.move(settings.report);
  } catch (...) {
    outputs_.restore();
    throw;
  }
  outputs_.confirm();
}

bool ProjectConverter::isInput(const std::string& path) {
  const std::optional<FileIdentity> identity = host_->identify(path);
  if (!identity) return false;
  if (readRecord_.wasRead(*identity)) return true;
  for (const std::string& personality : {messagePersonality(), analyserPersonality(), compilerPersonality()}) {
    if (!personality.empty() && host_->identify(personality) == identity) return true;
  }
  return false;
}

// A personality given that cannot be opened is told of in the report; the run goes on.
void ProjectConverter::readPersonalities() {
  const auto missing = [this](const std::string& path) {
    reportAtFile(*this, Severity::kWarning, "personality cannot be opened: ", "personality-missing", path);
  };
  if (!readCompilerIncludes() && !settings.compilerPersonality.empty()) missing(settings.compilerPersonality);
  if (!settings.messagePersonality.empty() && !host_->openRead(settings.messagePersonality)) {
    missing(settings.messagePersonality);
  }
  readAnalyserTemplate();
  if (!settings.analyserPersonality.empty() && !analyserTemplate_) missing(settings.analyserPersonality);
}

bool ProjectConverter::readCompilerIncludes() {
  const std::string path = compilerPersonality();
  const std::unique_ptr<std::istream> in = host_->openRead(path);
  if (!in) {
    print("Could not open file: " + path);
    return false;
  }
  for (const std::string& directory : compilerIncludeDirectories(*in)) addCompilerInclude(directory);
  return true;
}

void ProjectConverter::readAnalyserTemplate() {
  analyserTemplate_.reset();
  if (settings.analyserPersonality.empty()) return;
  if (const std::unique_ptr<std::istream> in = host_->openRead(settings.analyserPersonality)) {
    analyserTemplate_ = crlfText(*in);
  }
}

}  // namespace kalvex
