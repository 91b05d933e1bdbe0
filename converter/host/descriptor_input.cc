#include "host/descriptor_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <streambuf>

namespace kalvex {
namespace {

class DescriptorBuffer : public std::streambuf {
 public:
  explicit DescriptorBuffer(int descriptor) : descriptor_(descriptor) {}
  ~DescriptorBuffer() override { ::close(descriptor_); }
  DescriptorBuffer(const DescriptorBuffer&) = delete;
  DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

 protected:
  // A read error ends the file, as it ends a C++ file stream's reading.
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (!buffer_) buffer_.reset(new char[kSize]);
    ssize_t got;
    do {
      got = ::read(descriptor_, buffer_.get(), kSize);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return traits_type::eof();
    setg(buffer_.get(), buffer_.get(), buffer_.get() + got);
    return traits_type::to_int_type(*gptr());
  }

 private:
  static constexpr std::size_t kSize = 1 << 16;
  int descriptor_;
  std::unique_ptr<char[]> buffer_;
};

class DescriptorInput : public std::istream {
 public:
  explicit DescriptorInput(int descriptor) : std::istream(nullptr), buffer_(descriptor) { rdbuf(&buffer_); }

 private:
  DescriptorBuffer buffer_;
};

// A descriptor open for reading on a regular file; -1 when there is none. Anything else is
// refused before an open, which could wait on a FIFO or have effects on a device; the open
// without waiting and its fstat catch a swap between.
enum class StatFirst { kYes, kListedAsRegular };

int openedDescriptor(const std::string& hostPath, StatFirst statFirst = StatFirst::kYes) {
  struct stat info;
  if (statFirst == StatFirst::kYes && ::stat(hostPath.c_str(), &info) != 0) return -1;
  if (statFirst == StatFirst::kYes && !S_ISREG(info.st_mode)) {
    errno = EACCES;
    return -1;
  }
  int descriptor;
  do {
    descriptor = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) return -1;
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(descriptor);
    errno = EACCES;
    return -1;
  }
  return descriptor;
}

// Whether the descriptor is one, which is then closed.
bool closedAfterOpening(int descriptor) {
  if (descriptor < 0) return false;
  ::close(descriptor);
  return true;
}

}  // namespace

std::unique_ptr<std::istream> openDescriptorInput(const std::string& hostPath) {
  const int descriptor = openedDescriptor(hostPath);
  if (descriptor < 0) return nullptr;
  return std::make_unique<DescriptorInput>(descriptor);
}

bool opensForReading(const std::string& hostPath) { return closedAfterOpening(openedDescriptor(hostPath)); }

bool listedFileOpensForReading(const std::string& hostPath) {
  return closedAfterOpening(openedDescriptor(hostPath, StatFirst::kListedAsRegular));
}

}  // namespace kalvex
