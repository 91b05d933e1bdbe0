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
#include <memory>
#include <string>
#include <string_view>

#include "host/host.h"
#include "reader/findings.h"
#include "writer/replaced_file.h"
#include "writer/written_findings.h"

namespace kalvex {

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
