#include <stdexcept>

#include "project_converter.h"

namespace kalvex {

// The writer is not built yet: a conversion must not end as if it had written anything.
int ProjectConverter::writeProject() { throw std::logic_error("the project writer is not built yet"); }
void ProjectConverter::readCompilerIncludes() {}
bool ProjectConverter::parseIncludeOption(const std::string&, std::string&) const { return false; }
void ProjectGroup::writeGroup(OutputFile&, const std::string&, std::string) {}
void ProjectGroup::writePersonality(const std::string&) {}
void ProjectGroup::ensureDirectory(const std::string&) {}

}  // namespace kalvex
