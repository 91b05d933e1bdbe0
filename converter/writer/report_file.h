// The report of one run: every finding, one line each, in the form compilers use and editors
// read, "<file>:<line>:<column>: <severity>: <message> [<kind>]", with the file spelled as the
// host spells it, and a last line that counts them. A finding whose file, line, kind and
// message are those of one already written is left out. Lines end in LF.
//
// The count line is what the wizard reads: the last line of the file, exactly
// "<e> errors, <w> warnings, <n> notes", each count in decimal without sign or padding.
#ifndef KALVEX_WRITER_REPORT_FILE_H
#define KALVEX_WRITER_REPORT_FILE_H

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "host/host.h"
#include "reader/findings.h"
#include "writer/replaced_file.h"
#include "writer/written_findings.h"

namespace kalvex {

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
std::string countLine(std::size_t errors, std::size_t warnings, std::size_t notes);

// Writes findings as they come to the run's temporary file of path, in blocks; finish() adds
// the count line and closes it, to be moved onto path with the run's other outputs. Every
// failure raises IOERROR::kCannotWriteFile with path.
class ReportFile : public FindingSink {
 public:
  ReportFile(Host& host, StagedFiles& files, std::string path);
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Both do nothing once finish() has been called.
  void add(const Finding& finding) override;
  void finish();

 private:
  static constexpr std::size_t kBlockSize = 1 << 16;
  void writeBlock();
  void write(const char* text, std::size_t size);

  Host& host_;
  std::unique_ptr<ReplacedFile> file_;
  // The last file named and its host spelling: findings come in runs from one file.
  std::string systemFile_;
  std::string hostFile_;
  // Lines not yet handed to the file, the first used_ bytes of a block of kBlockSize bytes.
  std::string block_;
  std::size_t used_ = 0;
  // The file, line, kind and message of each finding written.
  WrittenFindings written_;
  std::size_t errors_ = 0;
  std::size_t warnings_ = 0;
  std::size_t notes_ = 0;
};

}  // namespace kalvex

#endif
