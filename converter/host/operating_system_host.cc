#include "host/operating_system_host.h"

#include <cerrno>
#include <fstream>
#include <vector>

#include "host/interrupt_files.h"

namespace kalvex {
namespace {

// Writes go to the file in blocks of kBufferSize bytes; destroying the stream flushes it.
class FileOutput : public OutputFile {
 public:
  explicit FileOutput(const std::string& hostPath) : buffer_(new char[kBufferSize]) {
    // A stream buffer takes its array only before the file is opened.
    file_.rdbuf()->pubsetbuf(buffer_.get(), kBufferSize);
    file_.open(hostPath, std::ios::binary | std::ios::out | std::ios::trunc);
  }
  bool isOpen() const { return file_.is_open(); }
  std::ostream& stream() override { return file_; }
  bool close() override {
    if (!file_.is_open()) return !file_.fail();
    file_.flush();
    file_.close();
    return !file_.fail();
  }

 private:
  static constexpr std::streamsize kBufferSize = 1 << 16;
  // Declared before the stream, so that it outlives the stream's last flush.
  std::unique_ptr<char[]> buffer_;
  std::ofstream file_;
};

bool holdsNul(const std::string& path) { return path.find('\0') != std::string::npos; }

}  // namespace

std::unique_ptr<std::istream> OperatingSystemHost::openRead(const std::string& path) {
  if (holdsNul(path)) return nullptr;
  return openExisting(path);
}

std::optional<std::string> OperatingSystemHost::findFile(const std::string& path) {
  if (holdsNul(path)) return std::nullopt;
  return findExisting(path);
}

std::unique_ptr<OutputFile> OperatingSystemHost::openWrite(const std::string& path) {
  if (holdsNul(path)) return nullptr;
  beforeChange();
  auto file = std::make_unique<FileOutput>(toHostPath(path));
  if (!file->isOpen()) return nullptr;
  return file;
}

bool OperatingSystemHost::exists(const std::string& path) { return !holdsNul(path) && existsAt(path); }

bool OperatingSystemHost::isFolder(const std::string& path) { return !holdsNul(path) && folderAt(path); }

bool OperatingSystemHost::makeDirectory(const std::string& path) {
  if (holdsNul(path)) return false;
  beforeChange();
  return makeFolder(path);
}

std::optional<FileIdentity> OperatingSystemHost::identify(const std::string& path) {
  if (holdsNul(path)) return std::nullopt;
  return identityOf(path);
}

std::string OperatingSystemHost::currentDirectory() {
  std::vector<char> buffer(256);
  while (readCurrentDirectory(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return fromHostPath(buffer.data());
}

bool OperatingSystemHost::replaceFile(const std::string& from, const std::string& to) {
  if (holdsNul(from) || holdsNul(to)) return false;
  beforeChange();
  return moveOnto(from, to);
}

bool OperatingSystemHost::removeFile(const std::string& path) {
  if (holdsNul(path)) return false;
  beforeChange();
  return removeExisting(path);
}

bool OperatingSystemHost::linkFile(const std::string& path, const std::string& link) {
  if (holdsNul(path) || holdsNul(link)) return false;
  beforeChange();
  return linkExisting(path, link);
}

LockResult OperatingSystemHost::lockFile(const std::string& path) {
  if (holdsNul(path)) return LockResult::kUnavailable;
  beforeChange();
  return lockAt(path);
}

std::size_t OperatingSystemHost::removeOnInterrupt(const std::string& path) {
  catchInterrupts();
  return addInterruptFile(toHostPath(path));
}

void OperatingSystemHost::keepOnInterrupt(std::size_t mark) { keepInterruptFile(mark); }

}  // namespace kalvex
