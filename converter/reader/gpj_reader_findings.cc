// The reader's rules that exist for the findings: conditions that are false or not evaluated,
// options the project cannot carry, and the entry lines that indented options belong to.
#include <optional>
#include <utility>

#include "project_group.h"
#include "reader/brace_groups.h"
#include "reader/gpj_reader.h"
#include "reader/line_values.h"

namespace kalvex {

// False when a condition is false. An "optgroup=" group only sorts options in the IDE; every
// other group that is no condition is told of, since the line is read as if it were not there.
bool GpjReader::conditionsHold(const std::vector<std::string>& groups, bool& optional) {
  for (const std::string& inner : groups) {
    if (inner == "optional") {
      optional = true;
      continue;
    }
    const std::optional<bool> truth = evaluateCondition(inner, names());
    if (truth == false) {
      findings_.conditionFalse(inner);
      return false;
    }
    if (!truth && !startsWith(inner, "optgroup=")) findings_.conditionNotEvaluated(inner);
  }
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
  subProjects.push_back(SubProject{std::move(entry), optional || contains(text, "{optional}"), std::move(namedAt)});
}

}  // namespace kalvex
