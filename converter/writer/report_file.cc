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

}  // namespace

// Hands visit every part of the line in order: the same parts size the line and fill it.
template <typename Visit>
void ReportLine::forEachPart(Visit visit) const {
  visit(hostFile_);
  visit(std::string_view(place_, placeSize_));
  visit(severityPart(finding_.severity));
  for (std::string_view part : finding_.message) visit(part);
  visit(" [");
  visit(finding_.kind);
  visit("]");
}

ReportLine::ReportLine(const Finding& finding, std::string_view hostFile) : finding_(finding), hostFile_(hostFile) {
  char* end = place_;
  for (std::size_t number : {finding.line, finding.column}) {
    *end++ = ':';
    end = std::to_chars(end, place_ + sizeof place_, number).ptr;
  }
  placeSize_ = static_cast<std::size_t>(end - place_);
  forEachPart([this](std::string_view part) { size_ += part.size(); });
}

char* ReportLine::copyTo(char* out) const {
  forEachPart([&out](std::string_view part) { out = std::copy(part.begin(), part.end(), out); });
  return out;
}

std::string countLine(std::size_t errors, std::size_t warnings, std::size_t notes) {
  return std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings, " + std::to_string(notes) +
         " notes";
}

ReportFile::ReportFile(Host& host, StagedFiles& files, std::string path)
    : host_(host), file_(std::make_unique<ReplacedFile>(files, std::move(path))) {
  block_.resize(kBlockSize);
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
  const ReportLine line(finding, hostFile_);
  const std::size_t size = line.size() + 1;
  if (block_.size() - used_ < size) writeBlock();
  // The line goes into the block, or, longer than a block, into a text of its own.
  std::string alone;
  if (block_.size() - used_ < size) alone.resize(size);
  char* const start = alone.empty() ? block_.data() + used_ : alone.data();
  *line.copyTo(start) = '\n';
  // A finding is the one written before when its file, line and the text after its column are.
  const std::string_view afterColumn(start + line.headSize(), line.size() - line.headSize());
  if (written_.writtenBefore(finding.line, afterColumn)) return;
  if (finding.severity == Severity::kError) ++errors_;
  if (finding.severity == Severity::kWarning) ++warnings_;
  if (finding.severity == Severity::kNote) ++notes_;
  if (alone.empty()) {
    used_ += size;
  } else {
    write(alone.data(), size);
  }
}

void ReportFile::writeBlock() {
  write(block_.data(), used_);
  used_ = 0;
}

void ReportFile::write(const char* text, std::size_t size) {
  file_->stream().write(text, static_cast<std::streamsize>(size));
}

void ReportFile::finish() {
  if (!file_) return;
  writeBlock();
  const std::string last = countLine(errors_, warnings_, notes_) + '\n';
  write(last.data(), last.size());
  const std::unique_ptr<ReplacedFile> file = std::move(file_);
  file->commit();
}

}  // namespace kalvex
