#include "writer/report_file.h"

#include <algorithm>
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

// Hands visit every part of the line in order: the line is put together from these alone.
template <typename Visit>
void forEachPart(const Finding& finding, std::string_view hostFile, std::string_view place, Visit visit) {
  visit(hostFile);
  visit(place);
  visit(severityPart(finding.severity));
  for (std::string_view part : finding.message) visit(part);
  visit(" [");
  visit(finding.kind);
  visit("]");
}

}  // namespace

std::size_t appendReportLine(std::string& text, const Finding& finding, std::string_view hostFile) {
  // ":<line>:<column>", both numbers of at most digits10 + 1 digits.
  char place[2 * (std::numeric_limits<std::size_t>::digits10 + 2)];
  char* end = place;
  for (std::size_t number : {finding.line, finding.column}) {
    *end++ = ':';
    end = std::to_chars(end, place + sizeof place, number).ptr;
  }
  const std::string_view placePart(place, static_cast<std::size_t>(end - place));
  // The same parts size the line and fill it: one resize, then each part copied to its place.
  std::size_t size = 0;
  forEachPart(finding, hostFile, placePart, [&size](std::string_view part) { size += part.size(); });
  const std::size_t start = text.size();
  text.resize(start + size);
  char* at = text.data() + start;
  forEachPart(finding, hostFile, placePart,
              [&at](std::string_view part) { at = std::copy(part.begin(), part.end(), at); });
  return start + hostFile.size() + placePart.size();
}

std::string countLine(std::size_t errors, std::size_t warnings, std::size_t notes) {
  return std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings, " + std::to_string(notes) +
         " notes";
}

ReportFile::ReportFile(Host& host, StagedFiles& files, std::string path)
    : host_(host), file_(std::make_unique<ReplacedFile>(files, std::move(path))) {
  block_.reserve(2 * kBlockSize);
  // Findings without a file come under the empty name, until one names a file.
  written_.selectFile(hostFile_);
}

void ReportFile::add(const Finding& finding) {
  if (!file_) return;
  if (finding.file != systemFile_) {
    systemFile_.assign(finding.file);
    hostFile_ = host_.toHostPath(systemFile_);
    written_.selectFile(hostFile_);
  }
  // A finding is the one written before when its file, line and the text after its column are.
  const std::size_t at = block_.size();
  const std::size_t tail = appendReportLine(block_, finding, hostFile_);
  if (written_.writtenBefore(finding.line, std::string_view(block_).substr(tail))) {
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
