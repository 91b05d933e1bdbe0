#include "project_converter.h"

#include <utility>

#include "reader/path_rules.h"

namespace kalvex {

ProjectConverter::ProjectConverter(std::string sourceProject, std::string destFolder, Host& host, std::ostream& log)
    : host_(&host), log_(&log), readRecord_(host), outputs_(host) {
  settings.sourceProject = std::move(sourceProject);
  settings.destFolder = std::move(destFolder);
  rootGroup_ = std::make_unique<ProjectGroup>(groupNameOf(settings.sourceProject), *this);
}

void ProjectConverter::addExtensions(const std::string& text) {
  std::size_t start = 0;
  for (std::size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', start)) {
    settings.extensions.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  settings.extensions.push_back(text.substr(start));
}

void ProjectConverter::addCompilerInclude(const std::string& directory) {
  compilerIncludes_.push_back(directory);
  compilerIncludeIndex_.insert(directory);
}

void ProjectConverter::print(const std::string& line) {
  *log_ << line << '\n';
  log_->flush();
}

}  // namespace kalvex
