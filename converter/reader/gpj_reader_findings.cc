// The reader's rules that exist for the findings: conditions that are false or not evaluated,
// options the project cannot carry, and the entry lines that indented options belong to.
#include <algorithm>
#include <optional>
#include <utility>

#include "project_group.h"
#include "reader/conditions.h"
#include "reader/gpj_reader.h"
#include "reader/line_values.h"

namespace kalvex {

// False when the line names nothing: it has a "{comment}" group or a false condition. A
// condition whose value is unknown is told of, once no group is false, since the line is read
// as if the condition were not there; an "optgroup=" group only sorts options in the IDE.
bool GpjReader::conditionsHold(const std::vector<std::string>& groups, bool& optional) {
  if (std::find(groups.begin(), groups.end(), "comment") != groups.end()) return false;
  std::vector<const std::string*> unknown;
  for (const std::string& inner : groups) {
    if (inner == "optional" || inner == "selectone_optional") {
      optional = true;
    } else if (!startsWith(inner, "optgroup=")) {
      const Truth truth = evaluateCondition(inner, conditionSources());
      if (truth == Truth::kFalse) {
        findings_.conditionFalse(inner);
        return false;
      }
      if (truth == Truth::kUnknown) unknown.push_back(&inner);
    }
  }
  for (const std::string* inner : unknown) findings_.conditionNotEvaluated(*inner);
  return true;
}

// Options the project cannot carry although they change what the preprocessor sees. The
// compilation database carries "-U": a group's, or one indented under a source file for that
// file alone.
void GpjReader::applyOtherOption(const std::string& text, EntryScope::Kind under) {
  if (startsWith(text, "-U")) {
    const std::string name = undefineName(text);
    if (!name.empty() && under == EntryScope::Kind::kSourceFile) {
      currentGroup_->addFileUndefine(entryScope_.file(), name);
    } else if (!name.empty()) {
      currentGroup_->addUndefine(name);
    }
    if (under == EntryScope::Kind::kNone) {
      findings_.optionNotConverted(text);
    } else {
      findings_.perFileOption(text, entryScope_.text(), under == EntryScope::Kind::kSubProject, false);
    }
  } else if (findings_.enabled() && changesPreprocessing(text)) {
    findings_.optionNotConverted(text);
  }
}

void GpjReader::addSubProject(const std::string& line, const std::string& text, std::size_t indent, bool optional,
                              std::vector<SubProject>& subProjects) {
  std::string entry = subProjectEntry(line);
  if (entry.empty()) return;
  entryScope_.enter(EntryScope::Kind::kSubProject, indent, entry, findings_.enabled());
  LinePosition namedAt = findings_.enabled() ? findings_.here() : LinePosition{};
  const bool optionalEntry = optional || contains(text, "{optional}") || contains(text, "{selectone_optional}");
  subProjects.push_back(SubProject{std::move(entry), optionalEntry, std::move(namedAt)});
}

}  // namespace kalvex
