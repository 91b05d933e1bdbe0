#include "reader/text_input.h"

#include <algorithm>
#include <streambuf>
#include <utility>

namespace kalvex {
namespace {

// The bytes already taken from a stream, then the rest of that stream (none when the bytes
// taken ended it). The buffer is filled as it is read, never cleared first.
class PrefixedBuffer : public std::streambuf {
 public:
  PrefixedBuffer(std::unique_ptr<char[]> prefix, std::size_t size, std::unique_ptr<std::istream> rest)
      : buffer_(std::move(prefix)), rest_(std::move(rest)) {
    setg(buffer_.get(), buffer_.get(), buffer_.get() + size);
  }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (!rest_) return traits_type::eof();
    if (capacity_ < kChunk) {
      buffer_.reset(new char[kChunk]);
      capacity_ = kChunk;
    }
    const std::streamsize got = rest_->rdbuf()->sgetn(buffer_.get(), kChunk);
    if (got <= 0) return traits_type::eof();
    setg(buffer_.get(), buffer_.get(), buffer_.get() + got);
    return traits_type::to_int_type(*gptr());
  }

 private:
  static constexpr std::streamsize kChunk = 1 << 16;
  std::unique_ptr<char[]> buffer_;
  std::streamsize capacity_ = 0;
  std::unique_ptr<std::istream> rest_;
};

class PrefixedInput : public std::istream {
 public:
  PrefixedInput(std::unique_ptr<char[]> prefix, std::size_t size, std::unique_ptr<std::istream> rest)
      : std::istream(nullptr), buffer_(std::move(prefix), size, std::move(rest)) {
    rdbuf(&buffer_);
  }

 private:
  PrefixedBuffer buffer_;
};

}  // namespace

bool readsText(std::unique_ptr<std::istream>& input) {
  std::unique_ptr<char[]> prefix(new char[kTextTestSize]);
  const std::streamsize got = input->rdbuf()->sgetn(prefix.get(), static_cast<std::streamsize>(kTextTestSize));
  const std::size_t size = got > 0 ? static_cast<std::size_t>(got) : 0;
  const bool text = std::find(prefix.get(), prefix.get() + size, '\0') == prefix.get() + size;
  // Fewer bytes than asked for: the file ended within them.
  if (size < kTextTestSize) input.reset();
  input = std::make_unique<PrefixedInput>(std::move(prefix), size, std::move(input));
  return text;
}

}  // namespace kalvex
