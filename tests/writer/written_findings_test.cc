#include "writer/written_findings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvex {
namespace {

struct Asked {
  std::string file;
  std::size_t line;
  std::string tail;
  bool writtenBefore;
};

// Each question in turn, against the answers of one set of written findings.
void expectAnswers(const std::vector<Asked>& questions) {
  WrittenFindings written;
  for (std::size_t at = 0; at < questions.size(); ++at) {
    const Asked& asked = questions[at];
    written.selectFile(asked.file);
    EXPECT_EQ(written.writtenBefore(asked.line, asked.tail), asked.writtenBefore)
        << "question " << at << ": " << asked.file << ":" << asked.line << asked.tail;
  }
}

TEST(WrittenFindingsTest, AFindingIsWrittenBeforeOnlyWithTheSameFileLineAndText) {
  expectAnswers({
      {"a.gpj", 3, ": warning: x [k]", false},
      {"a.gpj", 3, ": warning: x [k]", true},
      {"a.gpj", 3, ": warning: y [k]", false},
      {"a.gpj", 3, ": warning: y [k]", true},
      {"a.gpj", 4, ": warning: x [k]", false},
      {"b.gpj", 4, ": warning: x [k]", false},
      {"a.gpj", 4, ": note: x [k]", false},
      {"a.gpj", 4, ": warning: x [j]", false},
  });
}

// A file read a second time gives its lines again from the first; a finding of an earlier line
// can also come after later ones, and every one must still be found.
TEST(WrittenFindingsTest, FindingsOfEarlierLinesAreFoundInEveryOrder) {
  expectAnswers({
      {"a.gpj", 1, ": a", false},
      {"a.gpj", 2, ": b", false},
      {"a.gpj", 2, ": c", false},
      {"a.gpj", 5, ": d", false},
      {"b.gpj", 1, ": a", false},
      {"a.gpj", 1, ": a", true},
      {"a.gpj", 2, ": c", true},
      {"a.gpj", 2, ": b", true},
      {"a.gpj", 5, ": d", true},
      {"a.gpj", 3, ": e", false},
      {"a.gpj", 5, ": d", true},
      {"a.gpj", 3, ": e", true},
      {"a.gpj", 9, ": f", false},
      {"a.gpj", 9, ": f", true},
      {"a.gpj", 2, ": c", true},
      {"a.gpj", 2, ": g", false},
      {"a.gpj", 2, ": g", true},
      {"b.gpj", 1, ": a", true},
  });
}

// Texts longer than the blocks they are kept in stay whole.
TEST(WrittenFindingsTest, LongTextsAreKeptWhole) {
  const std::string longText(3 << 20, 'x');
  expectAnswers({
      {"a.gpj", 1, longText, false},
      {"a.gpj", 1, longText + "y", false},
      {"a.gpj", 1, ": short", false},
      {"a.gpj", 1, longText, true},
      {"a.gpj", 1, longText + "y", true},
      {"a.gpj", 1, ": short", true},
  });
}

}  // namespace
}  // namespace kalvex
