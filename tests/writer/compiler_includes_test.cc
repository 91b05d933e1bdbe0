#include <gtest/gtest.h>

#include "writer_fixture.h"

namespace kalvex {
namespace {

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
