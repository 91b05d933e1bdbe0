// How the in-memory desktop names things: the key a path is stored under, letter case, and
// the environment.
#include <string_view>
#include <vector>

#include "support/virtual_host.h"
#include "text/ascii.h"
#include "text/lexical_path.h"

namespace kalvex {
namespace {

std::string driveRoot(char letter) { return std::string(1, letter) + ":\\"; }

}  // namespace

std::string VirtualHost::key(const std::string& path) const {
  const std::string exact = exactKey(path);
  return letterCase_ == LetterCase::kExact ? exact : storedSpelling(exact);
}

std::string VirtualHost::exactKey(const std::string& path) const {
  char drive = currentDrive_;
  std::string rest = path;
  std::string base;
  if (path.size() >= 2 && path[1] == ':') {
    drive = path[0];
    rest = path.substr(2);
    if (rest.empty() || rest[0] != '\\') {
      auto it = driveDirectories_.find(drive);
      base = it != driveDirectories_.end() ? it->second : driveRoot(drive);
    }
  } else if (path.empty() || path[0] != '\\') {
    base = driveDirectories_.at(currentDrive_);
  }
  // The drive is the first component, so that ".." never climbs above it.
  std::vector<std::string> parts{std::string(1, drive) + ":"};
  if (!base.empty()) takeLexicalSteps(parts, std::string_view(base).substr(2), "\\");
  takeLexicalSteps(parts, rest, "\\");
  std::string result = parts[0];
  for (std::size_t i = 1; i < parts.size(); ++i) result += "\\" + parts[i];
  if (parts.size() == 1) result += "\\";
  return result;
}

std::string VirtualHost::storedSpelling(const std::string& k) const {
  const std::string parent = parentOf(k);
  if (files_.count(k) != 0 || directories_.count(k) != 0 || parent == k) return k;
  const std::string candidate = storedSpelling(parent) + k.substr(parent.size());
  for (const auto& [stored, content] : files_) {
    if (equalIgnoringAsciiCase(stored, candidate)) return stored;
  }
  for (const std::string& stored : directories_) {
    if (equalIgnoringAsciiCase(stored, candidate)) return stored;
  }
  return candidate;
}

std::optional<std::string> VirtualHost::findFile(const std::string& path) {
  if (!openRead(path)) return std::nullopt;
  return letterCase_ == LetterCase::kExact ? path : key(path);
}

std::optional<std::string> VirtualHost::environmentVariable(const std::string& name) {
  const auto found = environment_.find(name);
  if (found == environment_.end()) return std::nullopt;
  return found->second;
}

}  // namespace kalvex
