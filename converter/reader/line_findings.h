// The findings of the lines the reader meets, worded once for every kind, and the entry line
// that indented option lines belong to. Without a sink, nothing is worded or kept.
#ifndef KALVEX_READER_LINE_FINDINGS_H
#define KALVEX_READER_LINE_FINDINGS_H

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/findings.h"
#include "reader/references.h"

namespace kalvex {

// The last entry line of a file, a source file or a sub-project. An option line stands under
// it when the line begins with more blanks and tabs than the entry, and only such option lines,
// blank lines and comments stand between them; every other line ends the entry's scope.
class EntryScope {
 public:
  enum class Kind { kNone, kSourceFile, kSubProject };
  // Whether enter keeps the entry's text; only the findings word it.
  enum class Text { kKept, kDropped };

  // An entry line with indent leading blanks and tabs.
  void enter(Kind kind, std::size_t indent, const std::string& text, Text keep);
  // The source-file entry's index in its group's files, once the group lists it.
  void listed(std::size_t file) { file_ = file; }
  void leave() { kind_ = Kind::kNone; }
  // The kind of entry that an option line with indent leading blanks and tabs stands under;
  // kNone, with the scope ended, when it stands under none.
  Kind optionLine(std::size_t indent);
  const std::string& text() const { return text_; }
  // Nothing for a source file that the group does not list, and for a sub-project.
  std::optional<std::size_t> file() const { return file_; }

 private:
  Kind kind_ = Kind::kNone;
  std::optional<std::size_t> file_;
  std::size_t indent_ = 0;
  std::string text_;
};

// Which test left a source file out of its group.
enum class LeftOutBy { kCOrCxxTest, kExtensionList };
// Whether the project gives an option indented under an entry to the whole group.
enum class Carried { kToTheGroup, kNot };

class LineFindings {
 public:
  void setSink(FindingSink* sink) { sink_ = sink; }
  bool enabled() const { return sink_ != nullptr; }
  // What an entry scope keeps of its entry's text for the findings.
  EntryScope::Text entryText() const { return enabled() ? EntryScope::Text::kKept : EntryScope::Text::kDropped; }

  // The line the reader is at; both texts must outlive the calls that follow.
  void atLine(const std::string& file, std::size_t number, const std::string& line) {
    file_ = &file;
    number_ = number;
    line_ = &line;
  }
  LinePosition here() const;

  void conditionFalse(const std::string& condition) const;
  void conditionNotEvaluated(const std::string& group) const;
  void notASource(const std::string& file, LeftOutBy test) const;
  void sourceNotFound(const std::string& file, const std::string& listed) const;
  void optionNotConverted(const std::string& option) const;
  // An include, define or "-U" option line indented under an entry of that kind.
  void perFileOption(const std::string& option, const std::string& entry, EntryScope::Kind under,
                     Carried carried) const;
  // One finding for each reference left as written, at the line or at a sub-project's line.
  void unresolvedReferences(const std::vector<LeftReference>& references) const;
  void unresolvedReferences(const LinePosition& at, const std::vector<LeftReference>& references) const;
  // An "import" line whose environment variable is not set.
  void importNotSet(const std::string& name) const;
  // A file named at that line holds a NUL byte near its start; consequence says what follows,
  // null for the top file, whose run fails.
  void notAProjectFile(const LinePosition& at, const std::string& path, const char* consequence) const;
  void optionsFileMissing(const std::string& path) const;
  void optionalAbsent(const LinePosition& at, const std::string& entry) const;
  void projectFileMissing(const LinePosition& at, const std::string& path) const;
  void subProjectLoop(const LinePosition& at, const std::string& path) const;

 private:
  // Hands the sink a finding whose message is the parts joined.
  void add(const LinePosition& at, Severity severity, const char* kind,
           std::initializer_list<std::string_view> message) const;
  void addHere(Severity severity, const char* kind, std::initializer_list<std::string_view> message) const;

  FindingSink* sink_ = nullptr;
  const std::string* file_ = nullptr;
  std::size_t number_ = 0;
  const std::string* line_ = nullptr;
};

}  // namespace kalvex

#endif
