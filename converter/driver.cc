#include <utility>

#include "errors.h"
#include "project_converter.h"
#include "reader/path_rules.h"

namespace kalvex {

int ProjectConverter::convert() {
  try {
    openReport();
    readCompilerIncludes();
    rootGroup_->sourcePath = directoryOf(settings.sourceProject);
    reader_.link(*rootGroup_, *host_, [this](const std::string& directory) { return isCompilerInclude(directory); });
    reader_.setExtensions(settings.extensions);
    reader_.setConfiguration(settings.configuration);
    reader_.open(settings.sourceProject);
    reader_.parse();
    return writeProject();
  } catch (const AsciiReaderError& error) {
    if (error.code == AsciiReaderError::kUnknownConfiguration) return refuseConfiguration();
    if (error.code == AsciiReaderError::kSubProjectLoop) {
      print("Sub-project loop: " + reader_.currentPath());
    } else if (error.code == AsciiReaderError::kNotText) {
      print("Not a project file: " + reader_.currentPath());
    } else {
      print("Could not open file: " + reader_.currentPath());
    }
    finishReportAfterFailure();
    return 1;
  } catch (const IOERROR& error) {
    if (error.code == IOERROR::kCannotCreateDirectory) {
      print("Could not create directory: " + error.path);
    } else {
      print("Could not write file: " + error.path);
    }
    finishReportAfterFailure();
    return 1;
  }
}

void ProjectConverter::openReport() {
  if (settings.report.empty()) return;
  report_ = std::make_unique<ReportFile>(*host_, settings.report);
  reader_.setFindings(report_.get());
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
int ProjectConverter::refuseConfiguration() {
  reader_.setFindings(nullptr);
  report_.reset();
  print("Unknown configuration: " + settings.configuration);
  for (const BuildConfiguration& configuration : reader_.configurations()) {
    print("  " + configuration.name + " (" + configuration.tag + ")");
  }
  return 1;
}

// The report of a failed run still holds every finding up to the failure.
void ProjectConverter::finishReportAfterFailure() {
  try {
    finishReport();
  } catch (const IOERROR& error) {
    print("Could not write file: " + error.path);
  }
}

}  // namespace kalvex
