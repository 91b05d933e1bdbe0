// The two failures of a conversion. Both are thrown by value and caught by reference in one
// place, the conversion driver, which turns them into a message and exit status 1.
#ifndef KALVEX_ERRORS_H
#define KALVEX_ERRORS_H

#include <cstdint>
#include <string>

namespace kalvex {

// Raised by the project-file reader.
struct AsciiReaderError {
  static constexpr std::int32_t kCannotOpen = 2;            // a project file cannot be opened
  static constexpr std::int32_t kSubProjectLoop = 3;        // a sub-project is already being read
  static constexpr std::int32_t kNotText = 4;               // the top file holds a NUL byte near its start
  static constexpr std::int32_t kUnknownConfiguration = 5;  // no configuration of the "-config" word
  std::int32_t code = kCannotOpen;
};

// Raised by the writer.
struct IOERROR {
  static constexpr std::int32_t kCannotCreateDirectory = 1;
  static constexpr std::int32_t kCannotWriteFile = 2;
  std::int32_t code = kCannotWriteFile;
  std::string path;
};

}  // namespace kalvex

#endif
