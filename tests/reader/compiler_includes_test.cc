#include "reader/compiler_includes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kalvex {
namespace {

struct OptionCase {
  const char* line;
  std::optional<std::string> directory;
};

TEST(IncludeOptionDirectory, CutsAtAFixedPosition) {
  const OptionCase cases[] = {
      {"-I \"C:\\inc dir\"", "C:\\inc dir"},
      {"-i C:\\x", "C:\\x"},
      {"-IC:\\x", "C:\\x"},
      {"-si C:\\sys", "C:\\sys"},
      {"-SI \"C:\\sys\"", "C:\\sys"},
      {"-DDEBUG-include", "DEBUG-include"},
      {"-i", ""},
      {"-i   ", ""},
      {"  -i C:\\x", "-i C:\\x"},
      {"x-i", "i"},
      {"-i \"\"a\"\" ", "a"},
      {"-D NDEBUG", std::nullopt},
      {"", std::nullopt},
      {"-s", std::nullopt},
  };
  for (const OptionCase& c : cases) EXPECT_EQ(includeOptionDirectory(c.line), c.directory) << c.line;
}

TEST(CompilerIncludeDirectories, KeepFileOrderAndDuplicates) {
  std::istringstream in("-O2\r\n-I C:\\a\r\n-si C:\\sys\n-I C:\\a\n-D X\n-i \"C:\\last one\"");
  EXPECT_EQ(compilerIncludeDirectories(in), (std::vector<std::string>{"C:\\a", "C:\\sys", "C:\\a", "C:\\last one"}));
}

}  // namespace
}  // namespace kalvex
