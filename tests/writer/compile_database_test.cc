#include "writer/compile_database.h"

#include <gtest/gtest.h>

#include "errors.h"
#include "writer_fixture.h"

namespace kalvex {
namespace {

class CompileDatabaseTest : public WriterTest {
 protected:
  CompileDatabaseTest() { converter.settings.compileDatabase = "C:\\out\\cc.json"; }
};

// Compiler includes first, then the group's own, defines by name; empty file entries and
// groups without files give no entry.
TEST_F(CompileDatabaseTest, OneEntryPerFileInProjectOrderWithThePersonalitysLists) {
  converter.addCompilerInclude("C:\\ghs\\inc");
  root.sourcePath = "C:\\src";
  root.files = fileListOf({"C:\\src\\main.c", ""});
  root.addDefine("Z=1");
  ProjectGroup& empty = root.addChild("empty");
  empty.addDefine("UNUSED");
  ProjectGroup& drv = root.addChild("drv");
  drv.sourcePath = "C:\\src\\drv";
  drv.files = fileListOf({"C:\\src\\drv\\uart.cpp", "C:\\src\\drv\\b \"q\".c"});
  drv.inheritFrom(root);
  drv.addInclude("C:\\src\\drv\\inc");
  drv.addDefine("BAUD=9600");
  drv.addDefine("a");

  ASSERT_EQ(converter.writeProject(root), 0);

  const std::string drvArguments =
      R"("-I", "C:\\ghs\\inc", "-I", "C:\\src\\drv\\inc", "-D", "BAUD=9600", "-D", "Z=1", "-D", "a", "-c", )";
  EXPECT_EQ(content("C:\\out\\cc.json"),
            "[\n"
            "  {\n"
            R"(    "directory": "C:\\src",)"
            "\n"
            R"(    "file": "C:\\src\\main.c",)"
            "\n"
            R"(    "arguments": ["cc", "-I", "C:\\ghs\\inc", "-D", "Z=1", "-c", "C:\\src\\main.c"])"
            "\n"
            "  },\n"
            "  {\n"
            R"(    "directory": "C:\\src\\drv",)"
            "\n"
            R"(    "file": "C:\\src\\drv\\uart.cpp",)"
            "\n"
            R"(    "arguments": ["c++", )" +
                drvArguments +
                R"("C:\\src\\drv\\uart.cpp"])"
                "\n"
                "  },\n"
                "  {\n"
                R"(    "directory": "C:\\src\\drv",)"
                "\n"
                R"(    "file": "C:\\src\\drv\\b \"q\".c",)"
                "\n"
                R"(    "arguments": ["cc", )" +
                drvArguments +
                R"("C:\\src\\drv\\b \"q\".c"])"
                "\n"
                "  }\n"
                "]\n");
  EXPECT_EQ(content("C:\\out\\demo\\drv\\person\\drv.p_a"),
            crlf({"-i \"C:\\src\\drv\\inc\"", "-d \"BAUD=9600\"", "-d \"Z=1\"", "-d \"a\""}))
      << "the database and the personality carry the same lists";
  EXPECT_FALSE(host.exists(VirtualHost::staged("C:\\out\\cc.json")));
  EXPECT_EQ(
      log.str().substr(log.str().rfind("  ")),
      "  Creating Analyser Personality - C:\\out\\demo\\drv\\person\\drv.p_a\nZintra/Zintra++ Project Completed!\n")
      << "the database prints nothing of its own";
}

TEST_F(CompileDatabaseTest, ATreeWithoutFilesGivesAnEmptyArray) {
  ASSERT_EQ(converter.writeProject(root), 0);
  EXPECT_EQ(content("C:\\out\\cc.json"), "[]\n");
}

enum class Fault { kTemporaryRefused, kDiskFull, kMoveRefused, kFolderInTheWay };

// Each fault: "Could not write file: " with the database's path, the earlier database and
// project as they were once the run is over, no temporary file left, and no completion line.
TEST_F(CompileDatabaseTest, AFailedWriteKeepsTheEarlierDatabaseAndLeavesNoTemporaryFile) {
  for (Fault fault : {Fault::kTemporaryRefused, Fault::kDiskFull, Fault::kMoveRefused, Fault::kFolderInTheWay}) {
    VirtualHost host;
    std::ostringstream log;
    host.addDirectory("C:\\out");
    std::string database = "C:\\out\\cc.json";
    const std::string temporary = VirtualHost::staged(database);
    host.addFile(database, "earlier");
    host.addFile("C:\\out\\demo.prj", "earlier project");
    if (fault == Fault::kTemporaryRefused) host.refuseWrite(temporary);
    if (fault == Fault::kDiskFull) host.failWritesTo(temporary);
    if (fault == Fault::kMoveRefused) host.refuseReplace(database);
    if (fault == Fault::kFolderInTheWay) {
      database = "C:\\out\\folder";
      host.addDirectory(database);
    }
    {
      ProjectConverter converter("C:\\src\\demo.gpj", "C:\\out", host, log);
      converter.settings.projectName = "demo";
      converter.settings.compileDatabase = database;
      ProjectGroup top("demo", converter);
      top.files = fileListOf({"C:\\src\\main.c"});
      try {
        converter.writeProject(top);
        ADD_FAILURE() << "no IOERROR for fault " << static_cast<int>(fault);
      } catch (const IOERROR& error) {
        EXPECT_EQ(error.code, IOERROR::kCannotWriteFile);
        EXPECT_EQ(error.path, database);
      }
    }
    EXPECT_EQ(host.fileContent("C:\\out\\cc.json"), "earlier");
    EXPECT_EQ(host.fileContent("C:\\out\\demo.prj"), "earlier project") << static_cast<int>(fault);
    for (const char* path : {"C:\\out\\demo.prj", "C:\\out\\person\\demo.p_s", "C:\\out\\person\\demo.p_c"}) {
      EXPECT_FALSE(host.exists(VirtualHost::staged(path))) << path;
    }
    EXPECT_FALSE(host.exists(temporary)) << static_cast<int>(fault);
    EXPECT_EQ(log.str().find("Completed"), std::string::npos);
  }
}

TEST_F(CompileDatabaseTest, ReplacesAnEarlierDatabase) {
  host.addFile("C:\\out\\cc.json", "earlier");
  ASSERT_EQ(converter.writeProject(root), 0);
  EXPECT_EQ(content("C:\\out\\cc.json"), "[]\n");
}

}  // namespace
}  // namespace kalvex
