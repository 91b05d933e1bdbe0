#include "writer/written_findings.h"

#include <algorithm>
#include <utility>

namespace kalvex {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

void WrittenFindings::selectFile(const std::string& file) { file_ = &files_[file]; }

bool WrittenFindings::writtenBefore(std::size_t line, std::string_view tail) {
  FileFindings& file = *file_;
  const bool inOrder = file.byLine.empty();
  if (inOrder && !file.written.empty() && line <= file.written.back().line && findInOrder(file, line, tail)) {
    return true;
  }
  if (!inOrder && findByLine(file, line, tail)) return true;
  record(file, line, tail);
  return false;
}

// While the byLine index is empty, written is in line order.
bool WrittenFindings::findInOrder(const FileFindings& file, std::size_t line, std::string_view tail) const {
  auto at = std::lower_bound(file.written.begin(), file.written.end(), line,
                             [](const Written& written, std::size_t wanted) { return written.line < wanted; });
  for (; at != file.written.end() && at->line == line; ++at) {
    if (at->tail == tail) return true;
  }
  return false;
}

bool WrittenFindings::findByLine(const FileFindings& file, std::size_t line, std::string_view tail) const {
  const auto [first, last] = file.byLine.equal_range(line);
  return std::any_of(first, last, [&](const auto& entry) { return file.written[entry.second].tail == tail; });
}

// The first finding before the file's last line starts the index, with every finding so far.
void WrittenFindings::record(FileFindings& file, std::size_t line, std::string_view tail) {
  const bool outOfOrder = !file.written.empty() && line < file.written.back().line;
  if (outOfOrder && file.byLine.empty()) {
    for (std::size_t at = 0; at < file.written.size(); ++at) file.byLine.emplace(file.written[at].line, at);
  }
  file.written.push_back(Written{line, kept(tail)});
  if (!file.byLine.empty()) file.byLine.emplace(line, file.written.size() - 1);
}

std::string_view WrittenFindings::kept(std::string_view tail) {
  if (blocks_.empty() || blockSize_ - blockUsed_ < tail.size()) {
    blockSize_ = std::max(kBlockSize, tail.size());
    blocks_.push_back(std::unique_ptr<char[]>(new char[blockSize_]));
    blockUsed_ = 0;
  }
  char* at = blocks_.back().get() + blockUsed_;
  std::copy(tail.begin(), tail.end(), at);
  blockUsed_ += tail.size();
  return std::string_view(at, tail.size());
}

}  // namespace kalvex
