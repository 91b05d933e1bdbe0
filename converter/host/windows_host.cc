// The host on Windows: a backslash path is its own host path and goes to the operating system
// as it is, and each drive keeps a current directory of its own. A file's attributes answer "absent" before an open.
#include <direct.h>
#include <stdlib.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "host/environment_block.h"
#include "host/interrupt_files.h"
#include "host/operating_system_host.h"
#include "text/ascii.h"

namespace kalvex {
namespace {

bool isDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The cheapest test that gives exactly the answer of a failed open: the file's attributes,
// when they say that no such file or folder exists.
bool certainlyAbsent(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Held while files are moved into place; the console handler takes it and never gives it
// back, so that an interruption waits for the moves and nothing runs after its removals.
CRITICAL_SECTION& interruptHold() {
  static CRITICAL_SECTION* section = [] {
    auto* made = new CRITICAL_SECTION;
    InitializeCriticalSection(made);
    return made;
  }();
  return *section;
}

void deletePath(const char* path) { DeleteFileA(path); }

// Runs on a thread of its own; returning FALSE lets the default handler end the process.
BOOL WINAPI onConsoleEvent(DWORD) {
  EnterCriticalSection(&interruptHold());
  removeInterruptFiles(deletePath);
  return FALSE;
}

class WindowsHost : public OperatingSystemHost {
 public:
  ~WindowsHost() override { unlockFile(); }
  std::string toHostPath(const std::string& path) override { return path; }
  std::string processId() override { return std::to_string(GetCurrentProcessId()); }
  // The lock file was opened to be deleted when its handle closes, also by a killed process.
  void unlockFile() override {
    if (lock_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(lock_);
    lock_ = INVALID_HANDLE_VALUE;
  }
  void holdInterrupts(Interrupts state) override {
    interruptHold();
    if (state == Interrupts::kHeld) {
      EnterCriticalSection(&interruptHold());
    } else {
      LeaveCriticalSection(&interruptHold());
    }
  }

  // Windows compares the names of environment variables without their case.
  std::optional<std::string> environmentVariable(const std::string& name) override {
    return findVariable(_environ, name, NameCase::kIgnored);
  }

  bool makeDriveCurrent(const std::string& drive) override {
    // Only a drive letter and a colon name a drive; anything else would change the folder.
    if (drive.size() < 2 || drive[1] != ':' || !isAsciiLetter(drive[0])) return false;
    rememberDirectoryOfCurrentDrive();
    return _chdir(drive.substr(0, 2).c_str()) == 0;
  }

 protected:
  std::string fromHostPath(std::string path) override { return path; }

  std::unique_ptr<std::istream> openExisting(const std::string& path) override {
    if (certainlyAbsent(path)) return nullptr;
    // Neither a folder nor a device is a file; they are refused before an open.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) return nullptr;
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary | std::ios::in);
    if (!file->is_open() || isDirectory(path)) return nullptr;
    return file;
  }
  // Unlike _stat, the attributes accept a folder path that ends in a backslash.
  bool existsAt(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool folderAt(const std::string& path) override { return isDirectory(path); }
  bool makeFolder(const std::string& path) override { return _mkdir(path.c_str()) == 0; }
  std::optional<FileIdentity> identityOf(const std::string& path) override;
  // rename() refuses an existing target on Windows.
  bool moveOnto(const std::string& from, const std::string& to) override {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }
  bool removeExisting(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
  bool linkExisting(const std::string& path, const std::string& link) override {
    return CreateHardLinkA(link.c_str(), path.c_str(), nullptr) != 0;
  }
  LockResult lockAt(const std::string& path) override;
  void catchInterrupts() override {
    static const bool installed = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    (void)installed;
  }
  const char* readCurrentDirectory(char* buffer, std::size_t size) override {
    return _getcwd(buffer, static_cast<int>(size));
  }

 private:
  void rememberDirectoryOfCurrentDrive();
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};

// No sharing: a second run's open fails with a sharing violation while this handle is open.
LockResult WindowsHost::lockAt(const std::string& path) {
  unlockFile();
  lock_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (lock_ != INVALID_HANDLE_VALUE) return LockResult::kLocked;
  return GetLastError() == ERROR_SHARING_VIOLATION ? LockResult::kInUse : LockResult::kUnavailable;
}

std::optional<FileIdentity> WindowsHost::identityOf(const std::string& path) {
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
}

// Windows finds the current directory of a drive that is not current in the environment
// variable "=X:". Not every C runtime sets it when the drive changes (Wine's does not), so
// the host records it before leaving a drive, and changing back returns to that directory.
void WindowsHost::rememberDirectoryOfCurrentDrive() {
  const std::string here = currentDirectory();
  if (here.size() < 3 || here[1] != ':') return;
  const std::string name = std::string("=") + upperAscii(here[0]) + ":";
  SetEnvironmentVariableA(name.c_str(), here.c_str());
}

}  // namespace

std::unique_ptr<Host> makeOperatingSystemHost() { return std::make_unique<WindowsHost>(); }

}  // namespace kalvex
