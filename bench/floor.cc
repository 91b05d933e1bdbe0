// The file operations that a conversion cannot avoid, and nothing else, timed: the benchmark's
// floor. Usage: floor <reference-output> <fresh-destination> <source-folder>...
// Before the clock starts, every folder and file below the reference output (a finished
// conversion) is loaded into memory. Timed: every source folder is listed once, every .gpj and
// personality file read whole, every other file (a source that exists) opened and closed;
// then the reference's folders are made below the destination and its files written in one
// block each. Prints the seconds taken.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct OutputFile {
  std::string path;  // relative to the output folder
  std::string bytes;
};

struct Output {
  std::vector<std::string> folders;  // relative, parents first
  std::vector<OutputFile> files;
};

bool isFolder(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* directory = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(directory)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(directory);
  }
  return names;
}

std::string readWhole(const std::string& path) {
  std::string bytes;
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return bytes;
  char block[1 << 16];
  ssize_t got;
  while ((got = ::read(fd, block, sizeof block)) > 0) bytes.append(block, static_cast<std::size_t>(got));
  ::close(fd);
  return bytes;
}

void load(const std::string& root, const std::string& relative, Output& output) {
  for (const std::string& name : namesIn(root + "/" + relative)) {
    const std::string child = relative.empty() ? name : relative + "/" + name;
    if (isFolder(root + "/" + child)) {
      output.folders.push_back(child);
      load(root, child, output);
    } else {
      output.files.push_back({child, readWhole(root + "/" + child)});
    }
  }
}

bool endsWith(const std::string& text, const char* tail) {
  const std::string t(tail);
  return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

// Returns the number of bytes read, so that no read can be left out by the compiler.
std::size_t readSources(const std::string& folder) {
  std::size_t total = 0;
  for (const std::string& name : namesIn(folder)) {
    const std::string path = folder + "/" + name;
    if (isFolder(path)) {
      total += readSources(path);
    } else if (endsWith(name, ".c")) {
      const int fd = ::open(path.c_str(), O_RDONLY);
      if (fd >= 0) ::close(fd);
    } else {
      total += readWhole(path).size();
    }
  }
  return total;
}

bool writeOutput(const std::string& destination, const Output& output) {
  for (const std::string& folder : output.folders) {
    if (::mkdir((destination + "/" + folder).c_str(), 0777) != 0) return false;
  }
  for (const OutputFile& file : output.files) {
    const int fd = ::open((destination + "/" + file.path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return false;
    const bool written = file.bytes.empty() ||
                         ::write(fd, file.bytes.data(), file.bytes.size()) == static_cast<ssize_t>(file.bytes.size());
    if (::close(fd) != 0 || !written) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <reference-output> <fresh-destination> <source-folder>...\n", argv[0]);
    return 2;
  }
  Output output;
  load(argv[1], "", output);
  const auto start = std::chrono::steady_clock::now();
  std::size_t read = 0;
  for (int i = 3; i < argc; ++i) read += readSources(argv[i]);
  const bool written = writeOutput(argv[2], output);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (!written) {
    std::fprintf(stderr, "could not write below %s\n", argv[2]);
    return 1;
  }
  std::printf("%.6f %zu\n", elapsed.count(), read);
  return 0;
}
