#include "writer/report_file.h"

#include <utility>

#include "errors.h"

namespace kalvex {
namespace {

const char* severityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "note";
}

}  // namespace

std::string reportLine(const Finding& finding, const std::string& hostFile) {
  return hostFile + ":" + std::to_string(finding.position.line) + ":" + std::to_string(finding.position.column) + ": " +
         severityName(finding.severity) + ": " + finding.message + " [" + finding.kind + "]";
}

std::string countLine(std::size_t warnings, std::size_t notes) {
  return std::to_string(warnings) + " warnings, " + std::to_string(notes) + " notes";
}

ReportFile::ReportFile(Host& host, std::string path)
    : host_(host), path_(std::move(path)), temporary_(path_ + ".kalvex-tmp") {
  file_ = host_.openWrite(temporary_);
  if (!file_) throw IOERROR{IOERROR::kCannotWriteFile, path_};
}

ReportFile::~ReportFile() {
  if (!file_) return;
  file_.reset();
  host_.removeFile(temporary_);
}

void ReportFile::add(const Finding& finding) {
  if (!file_) return;
  if (finding.severity == Severity::kWarning) ++warnings_;
  if (finding.severity == Severity::kNote) ++notes_;
  file_->stream() << reportLine(finding, host_.hostPath(finding.position.file)) << '\n';
}

void ReportFile::finish() {
  if (!file_) return;
  file_->stream() << countLine(warnings_, notes_) << '\n';
  const bool written = file_->close();
  file_.reset();
  if (!written || !host_.replaceFile(temporary_, path_)) {
    host_.removeFile(temporary_);
    throw IOERROR{IOERROR::kCannotWriteFile, path_};
  }
}

}  // namespace kalvex
