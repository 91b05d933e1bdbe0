#include "reader/text_input.h"

#include <streambuf>
#include <string>
#include <utility>

namespace kalvex {
namespace {

// The bytes already taken from a stream, then the rest of that stream.
class PrefixedBuffer : public std::streambuf {
 public:
  PrefixedBuffer(std::string prefix, std::unique_ptr<std::istream> rest)
      : buffer_(std::move(prefix)), rest_(std::move(rest)) {
    setg(buffer_.data(), buffer_.data(), buffer_.data() + buffer_.size());
  }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    buffer_.resize(kChunk);
    const std::streamsize got = rest_->rdbuf()->sgetn(buffer_.data(), kChunk);
    if (got <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
    return traits_type::to_int_type(*gptr());
  }

 private:
  static constexpr std::streamsize kChunk = 1 << 16;
  std::string buffer_;
  std::unique_ptr<std::istream> rest_;
};

class PrefixedInput : public std::istream {
 public:
  PrefixedInput(std::string prefix, std::unique_ptr<std::istream> rest)
      : std::istream(nullptr), buffer_(std::move(prefix), std::move(rest)) {
    rdbuf(&buffer_);
  }

 private:
  PrefixedBuffer buffer_;
};

}  // namespace

bool readsText(std::unique_ptr<std::istream>& input) {
  std::string prefix(kTextTestSize, '\0');
  const std::streamsize got = input->rdbuf()->sgetn(prefix.data(), static_cast<std::streamsize>(prefix.size()));
  prefix.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  const bool text = prefix.find('\0') == std::string::npos;
  input = std::make_unique<PrefixedInput>(std::move(prefix), std::move(input));
  return text;
}

}  // namespace kalvex
