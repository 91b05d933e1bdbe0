#include "errors.h"
#include "project_converter.h"
#include "reader/path_rules.h"

namespace kalvex {

int ProjectConverter::convert() {
  try {
    readCompilerIncludes();
    rootGroup_->sourcePath = directoryOf(settings.sourceProject);
    reader_.link(*rootGroup_, *host_, [this](const std::string& directory) { return isCompilerInclude(directory); });
    reader_.setExtensions(settings.extensions);
    reader_.open(settings.sourceProject);
    reader_.parse();
    return writeProject();
  } catch (const AsciiReaderError& error) {
    if (error.code == AsciiReaderError::kSubProjectLoop) {
      print("Sub-project loop: " + reader_.currentPath());
    } else {
      print("Could not open file: " + reader_.currentPath());
    }
    return 1;
  } catch (const IOERROR& error) {
    if (error.code == IOERROR::kCannotCreateDirectory) {
      print("Could not create directory: " + error.path);
    } else {
      print("Could not write file: " + error.path);
    }
    return 1;
  }
}

}  // namespace kalvex
