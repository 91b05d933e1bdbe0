#include "writer/report_file.h"

#include <charconv>
#include <utility>

#include "text/append_all.h"

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
  char numbers[48];
  char* end = std::to_chars(numbers, numbers + 23, finding.line).ptr;
  *end++ = ':';
  end = std::to_chars(end, numbers + sizeof numbers, finding.column).ptr;
  appendAll(text, {hostFile, ":", std::string_view(numbers, static_cast<std::size_t>(end - numbers)), ": ",
                   severityName(finding.severity), ": ", finding.message, " [", finding.kind, "]"});
}

std::string countLine(std::size_t warnings, std::size_t notes) {
  return std::to_string(warnings) + " warnings, " + std::to_string(notes) + " notes";
}

ReportFile::ReportFile(Host& host, std::string path)
    : host_(host), path_(std::move(path)), file_(std::make_unique<ReplacedFile>(host_, path_)) {}

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
  const std::unique_ptr<ReplacedFile> file = std::move(file_);
  file->commit();
}

}  // namespace kalvex
