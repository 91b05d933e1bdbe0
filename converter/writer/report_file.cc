#include "writer/report_file.h"

#include <charconv>
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

void appendReportLine(std::string& text, const Finding& finding, std::string_view hostFile) {
  char number[24];
  text.append(hostFile);
  for (std::size_t value : {finding.line, finding.column}) {
    text += ':';
    text.append(number, std::to_chars(number, number + sizeof number, value).ptr);
  }
  text.append(": ").append(severityName(finding.severity)).append(": ").append(finding.message);
  text.append(" [").append(finding.kind).append("]");
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
  if (finding.file != systemFile_) {
    systemFile_.assign(finding.file);
    hostFile_ = host_.hostPath(systemFile_);
  }
  line_.clear();
  appendReportLine(line_, finding, hostFile_);
  line_ += '\n';
  file_->stream().write(line_.data(), static_cast<std::streamsize>(line_.size()));
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
