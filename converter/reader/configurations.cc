// The build configurations: their lines, the one that "-config" chooses, and the options
// file that it names.
#include "reader/configurations.h"

#include <vector>

#include "errors.h"
#include "reader/brace_groups.h"
#include "reader/gpj_reader.h"
#include "text/ascii.h"
#include "text/strings.h"

namespace kalvex {
namespace {

constexpr std::size_t kKeywordSize = 12;  // "defineConfig"

std::vector<std::string> splitArguments(const std::string& text) {
  std::vector<std::string> arguments;
  std::size_t at = firstNonBlank(text);
  while (at != std::string::npos) {
    std::size_t end = at;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') {
      const std::size_t close = text[end] == '"' ? text.find('"', end + 1) : end;
      end = close == std::string::npos ? text.size() : close + 1;
    }
    arguments.push_back(unquoted(text.substr(at, end - at)));
    at = firstNonBlank(text, end);
  }
  return arguments;
}

}  // namespace

bool isConfigurationLine(const std::string& text) {
  // Every line of a project file passes here: the first letter decides most of them.
  if (text.size() <= kKeywordSize || text[0] != 'd' || text.compare(0, kKeywordSize, "defineConfig") != 0) {
    return false;
  }
  return text[kKeywordSize] == ' ' || text[kKeywordSize] == '\t' || text[kKeywordSize] == '(';
}

std::optional<ConfigurationLine> configurationLine(const std::string& text) {
  std::string inner = withoutBlanks(text.substr(kKeywordSize));
  if (inner.size() >= 2 && inner.front() == '(' && inner.back() == ')') inner = inner.substr(1, inner.size() - 2);
  std::vector<std::string> arguments = splitArguments(inner);
  if (arguments.size() != 3) return std::nullopt;
  return ConfigurationLine{BuildConfiguration{arguments[0], arguments[1]}, arguments[2]};
}

// Only the top file's own lines define configurations. The first one that the word names is
// chosen, and its file is read next, as an options file.
void GpjReader::defineConfiguration(const std::string& text) {
  const std::optional<ConfigurationLine> line = configurationLine(text);
  if (!line) return;
  configurations_.push_back(line->configuration);
  if (configurationWord_.empty() || chosen_) return;
  if (!line->configuration.namedBy(configurationWord_)) {
    return;
  }
  chosen_ = line->configuration;
  openOptionsFile(line->file);
}

void GpjReader::requireChosenConfiguration() const {
  if (!configurationWord_.empty() && !chosen_) throw AsciiReaderError{AsciiReaderError::kUnknownConfiguration};
}

}  // namespace kalvex
