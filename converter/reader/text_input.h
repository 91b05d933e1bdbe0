// The test that a file is text before its lines are read: binary files and files that a
// data-protection tool encrypted hold NUL bytes near their start.
#ifndef KALVEX_READER_TEXT_INPUT_H
#define KALVEX_READER_TEXT_INPUT_H

#include <istream>
#include <memory>

namespace kalvex {

// How many bytes at the start of a file are looked at.
constexpr std::size_t kTextTestSize = 4096;

// False when the first kTextTestSize bytes of input hold a NUL byte. input is replaced by a
// stream that reads the same bytes from where input stood.
bool readsText(std::unique_ptr<std::istream>& input);

}  // namespace kalvex

#endif
