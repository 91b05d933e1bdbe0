// The findings a report has written, by file and line, so that one written before is left out.
// A file's findings are kept in the order they came; they come in line order while the file is
// read once, so most questions end at the file's last finding, without a look-up.
#ifndef KALVEX_WRITER_WRITTEN_FINDINGS_H
#define KALVEX_WRITER_WRITTEN_FINDINGS_H

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kalvex {

class WrittenFindings {
 public:
  // The file that the questions that follow are about.
  void selectFile(const std::string& file);
  // True when the selected file has a finding at line whose text after its column is tail;
  // records it otherwise.
  bool writtenBefore(std::size_t line, std::string_view tail);

 private:
  struct Written {
    std::size_t line;
    std::string_view tail;
  };
  struct FileFindings {
    // A deque, so that growing it copies nothing.
    std::deque<Written> written;
    // Filled only once a finding came before the file's last line: positions in written by line.
    std::unordered_multimap<std::size_t, std::size_t> byLine;
  };
  bool findInOrder(const FileFindings& file, std::size_t line, std::string_view tail) const;
  bool findByLine(const FileFindings& file, std::size_t line, std::string_view tail) const;
  void record(FileFindings& file, std::size_t line, std::string_view tail);
  std::string_view kept(std::string_view tail);

  std::unordered_map<std::string, FileFindings> files_;
  FileFindings* file_ = nullptr;
  // The tails, in blocks that never move, so that the views of written stay valid.
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockUsed_ = 0;
  std::size_t blockSize_ = 0;
};

}  // namespace kalvex

#endif
