#include "reader/line_findings.h"

#include <utility>

#include "reader/line_values.h"
#include "text/append_all.h"

namespace kalvex {
std::size_t lineIndent(const std::string& line) {
  const std::size_t at = line.find_first_not_of(" \t");
  return at == std::string::npos ? line.size() : at;
}

LinePosition LineFindings::here() const {
  if (file_ == nullptr) return LinePosition{};
  return LinePosition{*file_, number_, firstColumn(*line_)};
}

void LineFindings::compose(std::initializer_list<std::string_view> parts) const {
  message_.clear();
  appendAll(message_, parts);
}

void LineFindings::add(const LinePosition& at, Severity severity, const char* kind) const {
  sink_->add(Finding{at.file, at.line, at.column, severity, message_, kind});
}

void LineFindings::addHere(Severity severity, const char* kind) const {
  sink_->add(Finding{*file_, number_, firstColumn(*line_), severity, message_, kind});
}

void LineFindings::conditionFalse(const std::string& condition) const {
  if (!enabled()) return;
  compose({"line skipped: condition '", condition, "' is false"});
  addHere(Severity::kNote, "condition-false");
}

void LineFindings::conditionNotEvaluated(const std::string& group) const {
  if (!enabled()) return;
  compose({"condition '", group, "' not evaluated; the line was read as if it were not there"});
  addHere(Severity::kWarning, "condition-not-evaluated");
}

void LineFindings::notASource(const std::string& file, bool extensionListGiven) const {
  if (!enabled()) return;
  compose({"'", file,
           extensionListGiven ? "' left out: its extension is not in the -ext list"
                              : "' left out: not a C or C++ source file"});
  addHere(Severity::kNote, "not-a-source");
}

void LineFindings::sourceNotFound(const std::string& file, const std::string& listed) const {
  if (!enabled()) return;
  compose({"source file '", file, "' not found; listed as ", listed});
  addHere(Severity::kWarning, "source-not-found");
}

void LineFindings::optionNotConverted(const std::string& option) const {
  if (!enabled()) return;
  compose({"option '", trimLine(option), "' changes what the preprocessor sees; the project cannot carry it"});
  addHere(Severity::kWarning, "option-not-converted");
}

void LineFindings::perFileOption(const std::string& option, const std::string& entry, bool underSubProject,
                                 bool carried) const {
  if (!enabled()) return;
  const char* given = !carried          ? "' not carried by the project"
                      : underSubProject ? "' given to the whole group and all its sub-projects"
                                        : "' given to the whole group";
  compose({"option '", trimLine(option), given, "; the build gives it to ", underSubProject ? "sub-project '" : "'",
           entry, "' alone"});
  addHere(Severity::kWarning, "per-file-option");
}

// A "%" builtin (other than "%expand_path") is never expanded; any other reference names what
// nothing defines, or one that its own chain of values names again.
void LineFindings::unresolvedReferences(const std::vector<std::string>& references) const {
  if (enabled() && !references.empty()) unresolvedReferences(here(), references);
}

void LineFindings::unresolvedReferences(const LinePosition& at, const std::vector<std::string>& references) const {
  if (!enabled()) return;
  for (const std::string& reference : references) {
    const bool builtin = reference.compare(0, 3, "${%") == 0;
    compose({builtin ? "builtin '" : "reference '", reference, "' left as written"});
    add(at, Severity::kWarning, "unresolved-reference");
  }
}

void LineFindings::optionsFileMissing(const std::string& path) const {
  if (!enabled()) return;
  compose({"options file cannot be opened: ", path});
  addHere(Severity::kWarning, "options-file-missing");
}

void LineFindings::optionalAbsent(const LinePosition& at, const std::string& entry) const {
  if (!enabled()) return;
  compose({"optional sub-project '", entry, "' not found; left out"});
  add(at, Severity::kNote, "optional-absent");
}

void LineFindings::projectFileMissing(const LinePosition& at, const std::string& path) const {
  if (!enabled()) return;
  compose({"project file cannot be opened: ", path});
  add(at, Severity::kError, "project-file-missing");
}

void LineFindings::subProjectLoop(const LinePosition& at, const std::string& path) const {
  if (!enabled()) return;
  compose({"sub-project loop: ", path, " is already being read further up"});
  add(at, Severity::kError, "sub-project-loop");
}

void EntryScope::enter(Kind kind, std::size_t indent, const std::string& text, bool keepText) {
  kind_ = kind;
  indent_ = indent;
  file_.reset();
  if (keepText) text_ = text;
}

EntryScope::Kind EntryScope::optionLine(std::size_t indent) {
  if (kind_ != Kind::kNone && indent <= indent_) kind_ = Kind::kNone;
  return kind_;
}

}  // namespace kalvex
