#include "writer/report_file.h"

#include <charconv>
#include <limits>
#include <utility>

namespace kalvex {
namespace {

// The severity with the separators around it, ": <severity>: ".
std::string_view severityPart(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return ": error: ";
    case Severity::kWarning:
      return ": warning: ";
    case Severity::kNote:
      return ": note: ";
  }
  return ": note: ";
}

}  // namespace

void appendReportLine(std::string& text, const Finding& finding, std::string_view hostFile) {
  // ":<line>:<column>", both numbers of at most digits10 + 1 digits.
  char place[2 * (std::numeric_limits<std::size_t>::digits10 + 2)];
  char* end = place;
  for (std::size_t number : {finding.line, finding.column}) {
    *end++ = ':';
    end = std::to_chars(end, place + sizeof place, number).ptr;
  }
  text.append(hostFile).append(place, end).append(severityPart(finding.severity));
  for (std::string_view part : finding.message) text.append(part);
  text.append(" [").append(finding.kind).append("]");
}

std::string countLine(std::size_t errors, std::size_t warnings, std::size_t notes) {
  return std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings, " + std::to_string(notes) +
         " notes";
}

ReportFile::ReportFile(Host& host, StagedFiles& files, std::string path)
    : host_(host), file_(std::make_unique<ReplacedFile>(files, std::move(path))) {}

// The line just appended at at, without its column: "<file>:<line>" and what follows the
// column, ": <severity>: <message> [<kind>]".
bool ReportFile::writtenBefore(std::size_t at) {
  const std::string_view line = std::string_view(block_).substr(at);
  const std::size_t lineEnd = line.find(':', hostFile_.size() + 1);
  const std::size_t columnEnd = line.find(':', lineEnd + 1);
  return written_.seenBefore(line.substr(0, lineEnd), line.substr(columnEnd));
}

void ReportFile::add(const Finding& finding) {
  if (!file_) return;
  if (finding.file != systemFile_) {
    systemFile_.assign(finding.file);
    hostFile_ = host_.toHostPath(systemFile_);
  }
  const std::size_t at = block_.size();
  appendReportLine(block_, finding, hostFile_);
  if (writtenBefore(at)) {
    block_.resize(at);
    return;
  }
  if (finding.severity == Severity::kError) ++errors_;
  if (finding.severity == Severity::kWarning) ++warnings_;
  if (finding.severity == Severity::kNote) ++notes_;
  block_ += '\n';
  if (block_.size() >= kBlockSize) writeBlock();
}

void ReportFile::writeBlock() {
  file_->stream().write(block_.data(), static_cast<std::streamsize>(block_.size()));
  block_.clear();
}

void ReportFile::finish() {
  if (!file_) return;
  block_ += countLine(errors_, warnings_, notes_);
  block_ += '\n';
  writeBlock();
  const std::unique_ptr<ReplacedFile> file = std::move(file_);
  file->commit();
}

}  // namespace kalvex
