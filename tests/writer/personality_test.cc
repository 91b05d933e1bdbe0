#include <gtest/gtest.h>

#include "errors.h"
#include "writer_fixture.h"

namespace kalvex {
namespace {

TEST_F(WriterTest, PersonalityHoldsIncludesThenSortedDefines) {
  host.addDirectory("C:\\out\\p");
  root.addInclude("C:\\src\\drv\\inc");
  root.addInclude("C:\\common\\inc");
  root.addDefine("DEBUG");
  root.addDefine("BAUD=9600");
  root.writePersonality("C:\\out\\p\\g.p_a");
  EXPECT_EQ(content("C:\\out\\p\\g.p_a"),
            crlf({"-i \"C:\\src\\drv\\inc\"", "-i \"C:\\common\\inc\"", "-d \"BAUD=9600\"", "-d \"DEBUG\""}));
  EXPECT_EQ(log.str(), "");
}

TEST_F(WriterTest, DefinesSortByUnsignedBytesAndKeepQuotesAndBlanks) {
  root.addInclude("C:\\inc dir\\\"q\"");
  for (const char* define : {"a=1", "Z", "\xe9x=hi", "AB=x=y", "A", "=v"}) root.addDefine(define);
  root.writePersonality("C:\\out\\g.p_a");
  EXPECT_EQ(content("C:\\out\\g.p_a"), crlf({"-i \"C:\\inc dir\\\"q\"\"", "-d \"=v\"", "-d \"A\"", "-d \"AB=x=y\"",
                                             "-d \"Z\"", "-d \"a=1\"", "-d \"\xe9x=hi\""}));
}

TEST_F(WriterTest, UserAnalyserPersonalityIsCopiedAsText) {
  host.addFile("C:\\cfg\\user.p_a", "one\r\ntwo\nthree\rstill three\n\nlast");
  converter.settings.analyserPersonality = "C:\\cfg\\user.p_a";
  converter.readAnalyserTemplate();
  root.addDefine("D");
  root.writePersonality("C:\\out\\g.p_a");
  EXPECT_EQ(content("C:\\out\\g.p_a"), "-d \"D\"\r\none\r\ntwo\r\nthree\rstill three\r\n\r\nlast");
}

TEST_F(WriterTest, UnreadableUserPersonalityIsReportedAndSkipped) {
  converter.settings.analyserPersonality = "C:\\cfg\\missing.p_a";
  host.addDirectory("C:\\cfg\\folder.p_a");
  root.addInclude("C:\\i");
  converter.readAnalyserTemplate();
  root.writePersonality("C:\\out\\g.p_a");
  converter.settings.analyserPersonality = "C:\\cfg\\folder.p_a";
  converter.readAnalyserTemplate();
  root.writePersonality("C:\\out\\h.p_a");
  EXPECT_EQ(content("C:\\out\\g.p_a"), crlf({"-i \"C:\\i\""}));
  EXPECT_EQ(content("C:\\out\\h.p_a"), crlf({"-i \"C:\\i\""}));
  EXPECT_EQ(log.str(), lf({"Couldnt open file", "Couldnt open file"}));
}

TEST_F(WriterTest, PersonalityWriteFailuresRaiseCodeTwo) {
  root.addDefine("D");
  host.failWritesTo(VirtualHost::staged("C:\\out\\full.p_a"));
  try {
    root.writePersonality("C:\\out\\full.p_a");
    FAIL() << "no IOERROR for a full disk";
  } catch (const IOERROR& error) {
    EXPECT_EQ(error.code, IOERROR::kCannotWriteFile);
    EXPECT_EQ(error.path, "C:\\out\\full.p_a");
  }
  try {
    root.writePersonality("C:\\missing\\g.p_a");
    FAIL() << "no IOERROR for a missing folder";
  } catch (const IOERROR& error) {
    EXPECT_EQ(error.path, "C:\\missing\\g.p_a");
  }
}

// Default personalities are emptied for every written group, whatever they held.
TEST_F(WriterTest, DefaultPersonalitiesEndEmpty) {
  host.addFile("C:\\out\\person\\demo.p_s", "old");
  host.addFile("C:\\out\\person\\demo.p_c", "old");
  root.files = fileListOf({"a.c"});
  ASSERT_EQ(converter.writeProject(root), 0);
  EXPECT_EQ(content("C:\\out\\person\\demo.p_s"), "");
  EXPECT_EQ(content("C:\\out\\person\\demo.p_c"), "");
  EXPECT_NE(content("C:\\out\\demo.prj").find("\r\nCompPers=C:\\out\\person\\demo.p_c\r\n"), std::string::npos);
}

TEST_F(WriterTest, UncreatablePersonFolderRaisesCodeOne) {
  root.files = fileListOf({"a.c"});
  host.refuseDirectory("C:\\out\\person\\");
  try {
    converter.writeProject(root);
    FAIL() << "no IOERROR";
  } catch (const IOERROR& error) {
    EXPECT_EQ(error.code, IOERROR::kCannotCreateDirectory);
    EXPECT_EQ(error.path, "C:\\out\\person\\");
  }
}

}  // namespace
}  // namespace kalvex
