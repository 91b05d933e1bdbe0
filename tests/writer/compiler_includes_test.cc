#include <gtest/gtest.h>

#include "writer_fixture.h"

namespace kalvex {
namespace {

struct OptionCase {
  const char* line;
  bool isInclude;
  const char* directory;
};

TEST_F(WriterTest, ParseIncludeOptionCutsAtAFixedPosition) {
  const OptionCase cases[] = {
      {"-I \"C:\\inc dir\"", true, "C:\\inc dir"},
      {"-i C:\\x", true, "C:\\x"},
      {"-IC:\\x", true, "C:\\x"},
      {"-si C:\\sys", true, "C:\\sys"},
      {"-SI \"C:\\sys\"", true, "C:\\sys"},
      {"-DDEBUG-include", true, "DEBUG-include"},
      {"-i", true, ""},
      {"-i   ", true, ""},
      {"  -i C:\\x", true, "-i C:\\x"},
      {"x-i", true, "i"},
      {"-i \"\"a\"\" ", true, "a"},
      {"-D NDEBUG", false, ""},
      {"", false, ""},
      {"-s", false, ""},
  };
  for (const OptionCase& c : cases) {
    std::string directory = "untouched";
    EXPECT_EQ(converter.parseIncludeOption(c.line, directory), c.isInclude) << c.line;
    EXPECT_EQ(directory, c.isInclude ? c.directory : "untouched") << c.line;
  }
}

TEST_F(WriterTest, ReadCompilerIncludesKeepsFileOrderAndDuplicates) {
  host.addFile("C:\\cfg\\ghs.p_c", "-O2\r\n-I C:\\a\r\n-si C:\\sys\n-I C:\\a\n-D X\n-i \"C:\\last one\"");
  converter.settings.compilerPersonality = "C:\\cfg\\ghs.p_c";
  converter.readCompilerIncludes();
  EXPECT_EQ(converter.compilerIncludes(), (std::vector<std::string>{"C:\\a", "C:\\sys", "C:\\a", "C:\\last one"}));
  EXPECT_EQ(log.str(), "");
}

TEST_F(WriterTest, UnreadableCompilerPersonalityIsReportedAndLeavesTheListEmpty) {
  host.addDirectory("C:\\cfg\\folder.p_c");
  for (const char* path : {"", "C:\\cfg\\missing.p_c", "C:\\cfg\\folder.p_c"}) {
    converter.settings.compilerPersonality = path;
    converter.readCompilerIncludes();
  }
  EXPECT_TRUE(converter.compilerIncludes().empty());
  EXPECT_EQ(log.str(), lf({"Could not open file: ", "Could not open file: C:\\cfg\\missing.p_c",
                           "Could not open file: C:\\cfg\\folder.p_c"}));
}

}  // namespace
}  // namespace kalvex
