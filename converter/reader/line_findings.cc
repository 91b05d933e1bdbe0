#include "reader/line_findings.h"

#include <utility>

#include "reader/line_values.h"

namespace kalvex {
LinePosition LineFindings::here() const {
  if (file_ == nullptr) return LinePosition{};
  return LinePosition{*file_, number_, firstColumn(*line_)};
}

void LineFindings::add(const LinePosition& at, Severity severity, const char* kind,
                       std::initializer_list<std::string_view> message) const {
  sink_->add(Finding{at.file, at.line, at.column, severity, message, kind});
}

void LineFindings::addHere(Severity severity, const char* kind, std::initializer_list<std::string_view> message) const {
  sink_->add(Finding{*file_, number_, firstColumn(*line_), severity, message, kind});
}

void LineFindings::conditionFalse(const std::string& condition) const {
  if (!enabled()) return;
  addHere(Severity::kNote, "condition-false", {"line skipped: condition '", condition, "' is false"});
}

void LineFindings::conditionNotEvaluated(const std::string& group) const {
  if (!enabled()) return;
  addHere(Severity::kWarning, "condition-not-evaluated",
          {"condition '", group, "' not evaluated; the line was read as if the condition were not there"});
}

void LineFindings::notASource(const std::string& file, LeftOutBy test) const {
  if (!enabled()) return;
  addHere(Severity::kNote, "not-a-source",
          {"'", file,
           test == LeftOutBy::kExtensionList ? "' left out: its extension is not in the -ext list"
                                             : "' left out: not a C or C++ source file"});
}

void LineFindings::sourceNotFound(const std::string& file, const std::string& listed) const {
  if (!enabled()) return;
  addHere(Severity::kWarning, "source-not-found", {"source file '", file, "' not found; listed as ", listed});
}

void LineFindings::optionNotConverted(const std::string& option) const {
  if (!enabled()) return;
  addHere(Severity::kWarning, "option-not-converted",
          {"option '", trimLine(option), "' changes what the preprocessor sees; the project cannot carry it"});
}

void LineFindings::perFileOption(const std::string& option, const std::string& entry, EntryScope::Kind under,
                                 Carried carried) const {
  if (!enabled()) return;
  const bool underSubProject = under == EntryScope::Kind::kSubProject;
  const char* given = carried == Carried::kNot ? "' not carried by the project"
                      : underSubProject        ? "' given to the whole group and all its sub-projects"
                                               : "' given to the whole group";
  addHere(Severity::kWarning, "per-file-option",
          {"option '", trimLine(option), given, "; the build gives it to ", underSubProject ? "sub-project '" : "'",
           entry, "' alone"});
}

// A "%" builtin (other than "%expand_path") is never expanded; any other reference names what
// nothing defines, or one that its own chain of values names again.
void LineFindings::unresolvedReferences(const std::vector<LeftReference>& references) const {
  if (enabled() && !references.empty()) unresolvedReferences(here(), references);
}

void LineFindings::unresolvedReferences(const LinePosition& at, const std::vector<LeftReference>& references) const {
  if (!enabled()) return;
  for (const LeftReference& reference : references) {
    const bool builtin = reference.written.compare(0, 3, "${%") == 0;
    static const std::string chainLimit = "' not expanded: a chain of references stops at " +
                                          std::to_string(kReferenceChainLimit);
    static const std::string textLimit = "' not expanded: a text expands at most " +
                                         std::to_string(kReferencesPerText) + " references";
    const std::string_view why = reference.reason == LeftReference::Reason::kChainLimit  ? std::string_view(chainLimit)
                                 : reference.reason == LeftReference::Reason::kTextLimit ? std::string_view(textLimit)
                                                                                         : "' left as written";
    add(at, Severity::kWarning, "unresolved-reference",
        {builtin ? "builtin '" : "reference '", reference.written, why});
  }
}

void LineFindings::importNotSet(const std::string& name) const {
  if (!enabled()) return;
  addHere(Severity::kNote, "import-not-set",
          {"environment variable '", name, "' not set; 'import ", name, "' defines nothing"});
}

void LineFindings::notAProjectFile(const LinePosition& at, const std::string& path, const char* consequence) const {
  if (!enabled()) return;
  if (consequence == nullptr) {
    add(at, Severity::kError, "not-a-project-file", {"not a project file (it holds a NUL byte): ", path});
  } else {
    add(at, Severity::kWarning, "not-a-project-file",
        {"not a project file (it holds a NUL byte): ", path, "; ", consequence});
  }
}

void LineFindings::optionsFileMissing(const std::string& path) const {
  if (!enabled()) return;
  addHere(Severity::kWarning, "options-file-missing", {"options file cannot be opened: ", path});
}

void LineFindings::optionalAbsent(const LinePosition& at, const std::string& entry) const {
  if (!enabled()) return;
  add(at, Severity::kNote, "optional-absent", {"optional sub-project '", entry, "' not found; left out"});
}

void LineFindings::projectFileMissing(const LinePosition& at, const std::string& path) const {
  if (!enabled()) return;
  add(at, Severity::kError, "project-file-missing", {"project file cannot be opened: ", path});
}

void LineFindings::subProjectLoop(const LinePosition& at, const std::string& path) const {
  if (!enabled()) return;
  add(at, Severity::kError, "sub-project-loop", {"sub-project loop: ", path, " is already being read further up"});
}

void EntryScope::enter(Kind kind, std::size_t indent, const std::string& text, Text keep) {
  kind_ = kind;
  indent_ = indent;
  file_.reset();
  if (keep == Text::kKept) text_ = text;
}

EntryScope::Kind EntryScope::optionLine(std::size_t indent) {
  if (kind_ != Kind::kNone && indent <= indent_) kind_ = Kind::kNone;
  return kind_;
}

}  // namespace kalvex
