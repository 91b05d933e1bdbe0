#include "host/host.h"

#include "host/descriptor_input.h"
#include "host/folder_listings.h"
#include "host/listed_search.h"
#ifndef _WIN32
#include "host/letter_case.h"
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <direct.h>
#include <windows.h>

#include <cctype>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kalvex {
namespace {

#ifdef _WIN32
std::string toHostPath(const std::string& path) { return path; }
#else
// POSIX reads the system path with "/" for every "\"; nothing else changes.
std::string toHostPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}
#endif

#ifdef _WIN32
bool isDirectory(const std::string& hostPath) {
  const DWORD attributes = GetFileAttributesA(hostPath.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
#endif

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

// The operating system reads a path only up to its first NUL byte, so such a path would name
// another file than the text holds: it names none.
bool holdsNul(const std::string& path) { return path.find('\0') != std::string::npos; }

class SystemHost : public Host {
 public:
  std::unique_ptr<std::istream> openRead(const std::string& path) override {
    if (holdsNul(path)) return nullptr;
    if (certainlyAbsent(path)) return nullptr;
#ifdef _WIN32
    const std::string hostPath = toHostPath(path);
    auto file = std::make_unique<std::ifstream>(hostPath, std::ios::binary | std::ios::in);
    // A C++ stream opens a folder on some systems without complaint; a folder is no file.
    if (!file->is_open() || isDirectory(hostPath)) return nullptr;
    return file;
#else
    return openIgnoringCase(path, listings_, nullptr);
#endif
  }

#ifndef _WIN32
  std::optional<std::string> findFile(const std::string& path) override {
    std::string spelled;
    if (holdsNul(path) || certainlyAbsent(path) || !openIgnoringCase(path, listings_, &spelled)) return std::nullopt;
    return spelled;
  }
#endif

  std::unique_ptr<OutputFile> openWrite(const std::string& path) override {
    if (holdsNul(path)) return nullptr;
    forgetListings();
    auto file = std::make_unique<FileOutput>(toHostPath(path));
    if (!file->isOpen()) return nullptr;
    return file;
  }

  bool exists(const std::string& path) override {
    if (holdsNul(path)) return false;
#ifdef _WIN32
    // Unlike _stat, this accepts a folder path that ends in a backslash.
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat info;
    return ::stat(toHostPath(path).c_str(), &info) == 0;
#endif
  }

  bool makeDirectory(const std::string& path) override {
    if (holdsNul(path)) return false;
    forgetListings();
#ifdef _WIN32
    return _mkdir(path.c_str()) == 0;
#else
    return ::mkdir(toHostPath(path).c_str(), 0777) == 0;
#endif
  }

  std::optional<FileIdentity> identify(const std::string& path) override {
    if (holdsNul(path)) return std::nullopt;
#ifdef _WIN32
    HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const BOOL ok = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!ok) return std::nullopt;
    FileIdentity id;
    id.device = info.dwVolumeSerialNumber;
    id.node = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return id;
#else
    struct stat info;
    if (!statIgnoringCase(path, listings_, info)) return std::nullopt;
    FileIdentity id;
    id.device = static_cast<std::uint64_t>(info.st_dev);
    id.node = static_cast<std::uint64_t>(info.st_ino);
    return id;
#endif
  }

  std::string currentDirectory() override {
    std::vector<char> buffer(256);
    for (;;) {
#ifdef _WIN32
      if (_getcwd(buffer.data(), static_cast<int>(buffer.size())) != nullptr) break;
#else
      if (::getcwd(buffer.data(), buffer.size()) != nullptr) break;
#endif
      if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
      buffer.resize(buffer.size() * 2);
    }
    std::string directory(buffer.data());
#ifndef _WIN32
    std::replace(directory.begin(), directory.end(), '/', '\\');
#endif
    return directory;
  }

  bool makeDriveCurrent(const std::string& drive) override {
#ifdef _WIN32
    // Only a drive letter and a colon name a drive; anything else would change the folder.
    if (drive.size() < 2 || drive[1] != ':' || !std::isalpha(static_cast<unsigned char>(drive[0]))) return false;
    rememberDirectoryOfCurrentDrive();
    return _chdir(drive.substr(0, 2).c_str()) == 0;
#else
    // A POSIX host has no drives: the process's current directory never changes.
    (void)drive;
    return false;
#endif
  }

#ifdef _WIN32
  // Windows finds the current directory of a drive that is not current in the environment
  // variable "=X:". Not every C runtime sets it when the drive changes (Wine's does not), so
  // the host records it before leaving a drive, and changing back returns to that directory.
  void rememberDirectoryOfCurrentDrive() {
    const std::string here = currentDirectory();
    if (here.size() < 3 || here[1] != ':') return;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(here[0])));
    const std::string name = std::string("=") + letter + ":";
    SetEnvironmentVariableA(name.c_str(), here.c_str());
  }
#endif

  // The cheapest test that gives exactly the answer of a failed open. Windows: the file's
  // attributes, when they say that no such file or folder exists. POSIX: one listing per
  // folder, made anew after anything was created.
  bool certainlyAbsent(const std::string& path) {
#ifdef _WIN32
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
#else
    return listings_.certainlyAbsent(path);
#endif
  }

  void forgetListings() {
#ifndef _WIN32
    listings_.forgetAll();
#endif
  }

  std::string fromCommandLine(const std::string& word) override {
#ifdef _WIN32
    return word;
#else
    std::string path = word;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
#endif
  }

  std::string hostPath(const std::string& path) override { return toHostPath(path); }

  bool replaceFile(const std::string& from, const std::string& to) override {
    if (holdsNul(from) || holdsNul(to)) return false;
    forgetListings();
#ifdef _WIN32
    // rename() refuses an existing target on Windows.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(toHostPath(from).c_str(), toHostPath(to).c_str()) == 0;
#endif
  }

#ifndef _WIN32
  std::unique_ptr<DirectorySearch> makeSearch() override { return std::make_unique<ListedSearch>(*this, listings_); }
#endif

  bool removeFile(const std::string& path) override {
    if (holdsNul(path)) return false;
    forgetListings();
#ifdef _WIN32
    return DeleteFileA(path.c_str()) != 0;
#else
    return ::unlink(toHostPath(path).c_str()) == 0;
#endif
  }

 private:
#ifndef _WIN32
  FolderListings listings_;
#endif
};

}  // namespace

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<SystemHost>(); }

}  // namespace kalvex
