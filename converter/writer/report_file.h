// The report of one run: every finding of the reader, one line each, in the form compilers
// use and editors read, "<file>:<line>:<column>: <severity>: <message> [<kind>]", with the file
// spelled as the host spells it, and a last line that counts them. Lines end in LF.
#ifndef KALVEX_WRITER_REPORT_FILE_H
#define KALVEX_WRITER_REPORT_FILE_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "host/host.h"
#include "reader/findings.h"
#include "writer/replaced_file.h"

namespace kalvex {

// Appends one finding's line, without its line end, to text; hostFile is its file as the host
// spells it.
void appendReportLine(std::string& text, const Finding& finding, std::string_view hostFile);

// The last line: "<n> warnings, <m> notes".
std::string countLine(std::size_t warnings, std::size_t notes);

// Writes findings as they come to path + ".kalvex-tmp", in blocks; finish() adds the count line
// and moves the file onto path, so that path holds either its earlier content or a whole report.
// Every failure raises IOERROR::kCannotWriteFile with path; the temporary file is removed on
// every way out but a finished one.
class ReportFile : public FindingSink {
 public:
  ReportFile(Host& host, std::string path);
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Both do nothing once finish() has been called.
  void add(const Finding& finding) override;
  void finish();

 private:
  static constexpr std::size_t kBlockSize = 1 << 16;
  void writeBlock();

  Host& host_;
  std::unique_ptr<ReplacedFile> file_;
  // The last file named and its host spelling: findings come in runs from one file.
  std::string systemFile_;
  std::string hostFile_;
  // Lines not yet handed to the file, which takes them in blocks of about kBlockSize bytes.
  std::string block_;
  std::size_t warnings_ = 0;
  std::size_t notes_ = 0;
};

}  // namespace kalvex

#endif
