#include "entry.h"

#include "host/host.h"
#include "project_converter.h"
#include "reader/path_rules.h"

namespace kalvex {

std::string makeAbsolutePath(const std::string& path, Host& host) {
  if (path.size() >= 2 && path[1] == ':') {
    if (path.size() >= 3 && path[2] == '\\') return path;
    const std::string previous = host.currentDirectory();
    // Whether the drive could be made current is not tested: a drive that cannot be falls
    // back to the current directory of the current drive.
    host.makeDriveCurrent(path.substr(0, 2));
    const std::string result = host.currentDirectory() + "\\" + path.substr(2);
    host.makeDriveCurrent(previous.substr(0, 2));
    return result;
  }
  if (!path.empty() && path[0] == '\\') return path;
  const std::string directory = host.currentDirectory();
  if (path == ".") return directory;
  return directory + "\\" + path;
}

std::string defaultProjectName(const std::string& sourceProject) {
  const std::size_t lastDot = sourceProject.rfind('.');
  const std::string stem = lastDot == std::string::npos ? sourceProject : sourceProject.substr(0, lastDot);
  const std::size_t slash = stem.rfind('\\');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = stem.rfind('.');
  const std::size_t end = dot != std::string::npos && dot >= start ? dot : stem.size();
  return stem.substr(start, end - start);
}

namespace {

// A path word of the command line: every host reads "/" in it as a separator.
std::string commandLinePath(const std::string& word, Host& host) {
  return makeAbsolutePath(withBackslashes(host.fromCommandLine(word)), host);
}

}  // namespace

void applyOptions(const std::vector<std::string>& words, ProjectConverter& converter, Host& host) {
  auto absolute = [&host](const std::string& word) { return commandLinePath(word, host); };
  for (std::size_t i = 1; i + 1 < words.size(); ++i) {
    const std::string& word = words[i];
    const std::string& value = words[i + 1];
    if (word == "-pn") {
      converter.settings.projectName = value;
    } else if (word == "-mp") {
      converter.settings.messagePersonality = absolute(value);
    } else if (word == "-ap") {
      converter.settings.analyserPersonality = absolute(value);
    } else if (word == "-cp") {
      converter.settings.compilerPersonality = absolute(value);
    } else if (word == "-cdb") {
      converter.settings.compileDatabase = absolute(value);
    } else if (word == "-report") {
      converter.settings.report = absolute(value);
    } else if (word == "-config") {
      converter.settings.configuration = value;
    } else if (word == "-ext") {
      converter.addExtensions(value);
    }
  }
}

int runKalvex(const std::vector<std::string>& words, Host& host, std::ostream& out) {
  if (words.size() < 4) {
    out << "Usage: Kalvex <source_proj> <dest_folder> -cp <compiler_personality> [-pn dest_proj_name]" << std::endl;
    out << "[-mp message_personality] [-ap analyser_personality] [-ext file_extension]" << std::endl;
    return 0;
  }
  try {
    const std::string sourceProject = commandLinePath(words[1], host);
    const std::string destFolder = commandLinePath(words[2], host);
    ProjectConverter converter(sourceProject, destFolder, host, out);
    converter.settings.projectName = defaultProjectName(sourceProject);
    applyOptions(words, converter, host);
    return converter.convert();
  } catch (...) {
    // Anything but a reader or writer error ends the run silently.
    return 1;
  }
}

}  // namespace kalvex
