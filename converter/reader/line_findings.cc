#include "reader/line_findings.h"

#include <utility>

#include "reader/line_values.h"

namespace kalvex {
namespace {

std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

std::size_t lineIndent(const std::string& line) {
  const std::size_t at = line.find_first_not_of(" \t");
  return at == std::string::npos ? line.size() : at;
}

LinePosition LineFindings::here() const {
  if (file_ == nullptr) return LinePosition{};
  return LinePosition{*file_, number_, firstColumn(*line_)};
}

void LineFindings::add(const LinePosition& at, Severity severity, std::string message, const char* kind) const {
  if (sink_ != nullptr) sink_->add(Finding{at, severity, std::move(message), kind});
}

void LineFindings::conditionFalse(const std::string& condition) const {
  if (enabled())
    add(here(), Severity::kNote, "line skipped: condition " + quoted(condition) + " is false", "condition-false");
}

void LineFindings::conditionNotEvaluated(const std::string& group) const {
  if (!enabled()) return;
  add(here(), Severity::kWarning,
      "condition " + quoted(group) + " not evaluated; the line was read as if it were not there",
      "condition-not-evaluated");
}

void LineFindings::notASource(const std::string& file, bool extensionListGiven) const {
  if (!enabled()) return;
  add(here(), Severity::kNote,
      quoted(file) + (extensionListGiven ? " left out: its extension is not in the -ext list"
                                         : " left out: not a C or C++ source file"),
      "not-a-source");
}

void LineFindings::sourceNotFound(const std::string& file, const std::string& listed) const {
  if (!enabled()) return;
  add(here(), Severity::kWarning, "source file " + quoted(file) + " not found; listed as " + listed,
      "source-not-found");
}

void LineFindings::optionNotConverted(const std::string& option) const {
  if (!enabled()) return;
  add(here(), Severity::kWarning,
      "option " + quoted(trimLine(option)) + " changes what the preprocessor sees; the project cannot carry it",
      "option-not-converted");
}

void LineFindings::perFileOption(const std::string& option, const std::string& entry, bool underSubProject,
                                 bool carried) const {
  if (!enabled()) return;
  const std::string given = !carried          ? " not carried by the project"
                            : underSubProject ? " given to the whole group and all its sub-projects"
                                              : " given to the whole group";
  const std::string owner = underSubProject ? "sub-project " + quoted(entry) : quoted(entry);
  add(here(), Severity::kWarning,
      "option " + quoted(trimLine(option)) + given + "; the build gives it to " + owner + " alone", "per-file-option");
}

void LineFindings::optionalAbsent(const LinePosition& at, const std::string& entry) const {
  add(at, Severity::kNote, "optional sub-project " + quoted(entry) + " not found; left out", "optional-absent");
}

void LineFindings::projectFileMissing(const LinePosition& at, const std::string& path) const {
  add(at, Severity::kError, "project file cannot be opened: " + path, "project-file-missing");
}

void LineFindings::subProjectLoop(const LinePosition& at, const std::string& path) const {
  add(at, Severity::kError, "sub-project loop: " + path + " is already being read further up", "sub-project-loop");
}

void EntryScope::enter(Kind kind, std::size_t indent, const std::string& text, bool keepText) {
  kind_ = kind;
  indent_ = indent;
  if (keepText) text_ = text;
}

EntryScope::Kind EntryScope::optionLine(std::size_t indent) {
  if (kind_ != Kind::kNone && indent <= indent_) kind_ = Kind::kNone;
  return kind_;
}

}  // namespace kalvex
