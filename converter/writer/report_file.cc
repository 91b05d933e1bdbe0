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

// One finding's line, without its line end, put together from its parts; hostFile is its file
// as the host spells it. Valid while the finding is.
class ReportLine {
 public:
  ReportLine(const Finding& finding, std::string_view hostFile);
  std::size_t size() const { return size_; }
  // The length of "<file>:<line>:<column>"; the part after the column, ": <severity>: ...",
  // follows it.
  std::size_t headSize() const { return hostFile_.size() + placeSize_; }
  // Copies the line's size() bytes to out; returns the end of what it copied.
  char* copyTo(char* out) const;

 private:
  template <typename Visit>
  void forEachPart(Visit visit) const;

  const Finding& finding_;
  std::string_view hostFile_;
  // ":<line>:<column>", both numbers of at most digits10 + 1 digits.
  char place_[2 * (std::numeric_limits<std::size_t>::digits10 + 2)];
  std::size_t placeSize_ = 0;
  std::size_t size_ = 0;
};

// The last line: "<e> errors, <w> warnings, <n> notes".
std::string countLine(std::size_t errors, std::size_t warnings, std::size_t notes) {
  return std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings, " + std::to_string(notes) +
         " notes";
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
