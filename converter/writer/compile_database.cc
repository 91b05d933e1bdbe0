#include "writer/compile_database.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "errors.h"
#include "host/host.h"
#include "project_converter.h"
#include "project_group.h"
#include "reader/line_values.h"

namespace kalvex {
namespace {

void addOption(std::vector<std::string>& arguments, const char* option, const std::string& value) {
  arguments.push_back(option);
  arguments.push_back(value);
}

// The include and define options of a group, the same for each of its files.
std::vector<std::string> groupOptions(const ProjectGroup& group, const std::vector<std::string>& compilerIncludes,
                                      Host& host) {
  std::vector<std::string> options;
  for (const std::string& directory : compilerIncludes) addOption(options, "-I", host.hostPath(directory));
  for (const std::string& directory : group.includes()) addOption(options, "-I", host.hostPath(directory));
  for (const auto& [name, value] : group.defines()) addOption(options, "-D", value.empty() ? name : name + "=" + value);
  return options;
}

std::vector<std::string> argumentsFor(const std::vector<std::string>& options, const std::string& file,
                                      const std::string& hostFile) {
  std::vector<std::string> arguments{compilerFor(file)};
  arguments.insert(arguments.end(), options.begin(), options.end());
  addOption(arguments, "-c", hostFile);
  return arguments;
}

// The length of the valid UTF-8 sequence that starts at bytes[at], or 0 when none does.
std::size_t utf8SequenceAt(const std::string& bytes, std::size_t at) {
  const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

std::string unicodeEscape(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04X", byte);
  return text;
}

std::string escapedAscii(char c) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\b':
      return "\\b";
    case '\f':
      return "\\f";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      if (static_cast<unsigned char>(c) < 0x20) return unicodeEscape(static_cast<unsigned char>(c));
      return std::string(1, c);
  }
}

std::string jsonArray(const std::vector<std::string>& texts) {
  std::string array = "[";
  for (std::size_t i = 0; i < texts.size(); ++i) array += (i == 0 ? "" : ", ") + jsonString(texts[i]);
  return array + "]";
}

// Removes the temporary file on every way out but a successful move into place.
class TemporaryFile {
 public:
  TemporaryFile(Host& host, std::string path) : host_(host), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (created_) host_.removeFile(path_);
  }
  const std::string& path() const { return path_; }
  void created() { created_ = true; }
  void movedAway() { created_ = false; }

 private:
  Host& host_;
  std::string path_;
  bool created_ = false;
};

}  // namespace

std::string compilerFor(const std::string& file) {
  return extensionAccepted(file, {"cc", "cp", "cpp", "cxx", "c++"}) ? "c++" : "cc";
}

std::vector<CompileCommand> compileCommands(const ProjectGroup& root, const std::vector<std::string>& compilerIncludes,
                                            Host& host) {
  std::vector<CompileCommand> commands;
  std::vector<const ProjectGroup*> pending{&root};
  while (!pending.empty()) {
    const ProjectGroup& group = *pending.back();
    pending.pop_back();
    const std::string directory = host.hostPath(group.sourcePath);
    const std::vector<std::string> options = groupOptions(group, compilerIncludes, host);
    for (const std::string& file : group.files) {
      if (file.empty()) continue;
      std::string hostFile = host.hostPath(file);
      std::vector<std::string> arguments = argumentsFor(options, file, hostFile);
      commands.push_back({directory, std::move(hostFile), std::move(arguments)});
    }
    for (auto it = group.children().rbegin(); it != group.children().rend(); ++it) pending.push_back(it->get());
  }
  return commands;
}

std::string jsonString(const std::string& bytes) {
  std::string text = "\"";
  for (std::size_t at = 0; at < bytes.size();) {
    const unsigned char byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      text += escapedAscii(bytes[at]);
      ++at;
    } else if (const std::size_t length = utf8SequenceAt(bytes, at)) {
      text.append(bytes, at, length);
      at += length;
    } else {
      text += unicodeEscape(byte);
      ++at;
    }
  }
  return text + "\"";
}

std::string compileDatabaseText(const std::vector<CompileCommand>& commands) {
  if (commands.empty()) return "[]\n";
  std::string text = "[\n";
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const CompileCommand& command = commands[i];
    text += "  {\n";
    text += "    \"directory\": " + jsonString(command.directory) + ",\n";
    text += "    \"file\": " + jsonString(command.file) + ",\n";
    text += "    \"arguments\": " + jsonArray(command.arguments) + "\n";
    text += i + 1 < commands.size() ? "  },\n" : "  }\n";
  }
  return text + "]\n";
}

void replaceWholeFile(Host& host, const std::string& path, const std::string& text) {
  TemporaryFile temporary(host, path + ".kalvex-tmp");
  std::unique_ptr<OutputFile> file = host.openWrite(temporary.path());
  if (!file) throw IOERROR{IOERROR::kCannotWriteFile, path};
  temporary.created();
  file->stream() << text;
  const bool written = file->close();
  file.reset();
  if (!written || !host.replaceFile(temporary.path(), path)) throw IOERROR{IOERROR::kCannotWriteFile, path};
  temporary.movedAway();
}

void ProjectConverter::writeCompileDatabase() {
  replaceWholeFile(host(), settings.compileDatabase,
                   compileDatabaseText(compileCommands(*rootGroup_, compilerIncludes(), host())));
}

}  // namespace kalvex
