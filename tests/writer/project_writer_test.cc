#include <gtest/gtest.h>

#include "errors.h"
#include "writer_fixture.h"

namespace kalvex {
namespace {

// Runs writeProject on root and returns the IOERROR it raised; fails the test when none was raised.
IOERROR writeFails(ProjectConverter& converter, ProjectGroup& root) {
  try {
    converter.writeProject(root);
  } catch (const IOERROR& error) {
    return error;
  }
  ADD_FAILURE() << "writeProject raised no IOERROR";
  return IOERROR{0, ""};
}

TEST_F(WriterTest, WritesTheWorkedExample) {
  converter.settings.compilerPersonality = "C:\\cfg\\ghs.p_c";
  root.sourcePath = "C:\\src";
  root.files = fileListOf({"C:\\src\\main.c"});
  ProjectGroup& drv = root.addChild("drv");
  drv.sourcePath = "C:\\src\\drv";
  drv.files = fileListOf({"C:\\src\\drv\\uart.c"});
  drv.addInclude("C:\\src\\drv\\inc");
  drv.addDefine("BAUD=9600");

  ASSERT_EQ(converter.writeProject(root), 0);

  EXPECT_EQ(content("C:\\out\\demo.prj"), crlf({"VersionTag45",
                                                "StartProjectMarker",
                                                "FolderName=demo",
                                                "SourcePath=C:\\src",
                                                "OutputPath=C:\\out\\demo\\output\\",
                                                "SubsPers=C:\\out\\person\\demo.p_s",
                                                "AnalPers=C:\\out\\person\\demo.p_a",
                                                "CompPers=C:\\cfg\\ghs.p_c",
                                                "C:\\src\\main.c",
                                                "EndContainedFilesMarker",
                                                "StartSubProjectMarker",
                                                "StartProjectMarker",
                                                "FolderName=drv",
                                                "SourcePath=C:\\src\\drv",
                                                "OutputPath=C:\\out\\demo\\drv\\output\\",
                                                "SubsPers=C:\\out\\person\\demo.p_s",
                                                "AnalPers=C:\\out\\demo\\drv\\person\\drv.p_a",
                                                "CompPers=C:\\cfg\\ghs.p_c",
                                                "C:\\src\\drv\\uart.c",
                                                "EndContainedFilesMarker",
                                                "EndSubProjectMarker"}));
  EXPECT_EQ(log.str(), lf({"Creating Zintra/Zintra++ Project ...", "  Creating Group - demo", "  Creating Group - drv",
                           "  Creating Analyser Personality - C:\\out\\demo\\drv\\person\\drv.p_a",
                           "Zintra/Zintra++ Project Completed!"}));
  for (const char* folder : {"C:\\out\\demo", "C:\\out\\demo\\output", "C:\\out\\demo\\person", "C:\\out\\demo\\drv",
                             "C:\\out\\demo\\drv\\output", "C:\\out\\demo\\drv\\person", "C:\\out\\person"}) {
    EXPECT_TRUE(host.isDirectory(folder)) << folder;
  }
  EXPECT_EQ(content("C:\\out\\person\\demo.p_s"), "");
  EXPECT_EQ(content("C:\\out\\person\\demo.p_a"), "");
  EXPECT_EQ(content("C:\\out\\demo\\drv\\person\\drv.p_a"), crlf({"-i \"C:\\src\\drv\\inc\"", "-d \"BAUD=9600\""}));
  EXPECT_FALSE(host.fileContent("C:\\out\\person\\demo.p_c").has_value()) << "a supplied compiler personality";
}

TEST_F(WriterTest, RootWithoutFilesOrChildrenGivesOnlyTheVersionLine) {
  root.addDefine("X");
  ASSERT_EQ(converter.writeProject(root), 0);
  EXPECT_EQ(content("C:\\out\\demo.prj"), crlf({"VersionTag45"}));
  EXPECT_EQ(log.str(), lf({"Creating Zintra/Zintra++ Project ...", "Zintra/Zintra++ Project Completed!"}));
  EXPECT_TRUE(host.isDirectory("C:\\out\\demo\\output"));
  EXPECT_TRUE(host.isDirectory("C:\\out\\demo\\person"));
  EXPECT_FALSE(host.exists("C:\\out\\demo\\person\\demo.p_a"));
  EXPECT_FALSE(host.exists("C:\\out\\person"));
}

// An omitted child still gets its folders; a parent whose children are all omitted keeps an
// empty marker pair; empty file entries give no line; an empty source path falls back to F.
TEST_F(WriterTest, OmitsEmptyGroupsButKeepsTheirFolders) {
  converter.settings.messagePersonality = "C:\\cfg\\m.p_s";
  converter.settings.compilerPersonality = "C:\\cfg\\c.p_c";
  root.files = fileListOf({"", "C:\\src\\a.c", ""});
  ProjectGroup& lib = root.addChild("lib");
  lib.addInclude("C:\\inc");
  ASSERT_EQ(converter.writeProject(root), 0);
  EXPECT_EQ(content("C:\\out\\demo.prj"),
            crlf({"VersionTag45", "StartProjectMarker", "FolderName=demo", "SourcePath=C:\\out\\demo\\",
                  "OutputPath=C:\\out\\demo\\output\\", "SubsPers=C:\\cfg\\m.p_s", "AnalPers=C:\\out\\person\\demo.p_a",
                  "CompPers=C:\\cfg\\c.p_c", "C:\\src\\a.c", "EndContainedFilesMarker", "StartSubProjectMarker",
                  "EndSubProjectMarker"}));
  EXPECT_TRUE(host.isDirectory("C:\\out\\demo\\lib\\person"));
  EXPECT_FALSE(host.exists("C:\\out\\demo\\lib\\person\\lib.p_a"));
  EXPECT_EQ(log.str().find("lib"), std::string::npos);
}

TEST_F(WriterTest, NameWithSlashCreatesItsLeadingFolders) {
  root.files = fileListOf({"r.c"});
  ProjectGroup& child = root.addChild("a/b");
  child.files = fileListOf({"x.c"});
  child.addDefine("D");
  ASSERT_EQ(converter.writeProject(root), 0);
  const std::vector<std::string> made = host.directoriesMade();
  const std::vector<std::string> expectedStart = {"C:\\out\\demo",           "C:\\out\\demo\\output\\",
                                                  "C:\\out\\demo\\person\\", "C:\\out\\person\\",
                                                  "C:\\out\\demo\\a",        "C:\\out\\demo\\a/b"};
  ASSERT_GE(made.size(), expectedStart.size());
  EXPECT_EQ(std::vector<std::string>(made.begin(), made.begin() + 6), expectedStart);
  const std::string prj = content("C:\\out\\demo.prj");
  EXPECT_NE(prj.find("\r\nFolderName=a/b\r\n"), std::string::npos);
  EXPECT_NE(prj.find("\r\nAnalPers=C:\\out\\demo\\a/b\\person\\b.p_a\r\n"), std::string::npos);
  EXPECT_EQ(content("C:\\out\\demo\\a/b\\person\\b.p_a"), crlf({"-d \"D\""}));
}

// A candidate personality that exists wins over the inherited path, and its value is handed on.
TEST_F(WriterTest, ExistingCandidateWinsOverTheProjectPersonality) {
  root.files = fileListOf({"r.c"});
  ProjectGroup& mid = root.addChild("mid");
  mid.files = fileListOf({"m.c"});
  ProjectGroup& leaf = mid.addChild("leaf");
  leaf.files = fileListOf({"l.c"});
  host.addFile("C:\\out\\\\person\\.p_a", "root candidate");
  host.addFile("C:\\out\\demo\\mid\\person\\mid.p_a", "left by an earlier run");
  ASSERT_EQ(converter.writeProject(root), 0);
  const std::string prj = content("C:\\out\\demo.prj");
  EXPECT_NE(prj.find("FolderName=demo\r\nSourcePath=C:\\out\\demo\\\r\nOutputPath=C:\\out\\demo\\output\\\r\n"
                     "SubsPers=C:\\out\\person\\demo.p_s\r\nAnalPers=C:\\out\\\\person\\.p_a\r\n"),
            std::string::npos)
      << prj;
  // mid's candidate is C:\out\demo\person\demo.p_a, which does not exist: it inherits the root's value.
  EXPECT_NE(prj.find("FolderName=mid\r\n"), std::string::npos);
  EXPECT_EQ(prj.find("AnalPers=C:\\out\\demo\\person\\demo.p_a"), std::string::npos);
  EXPECT_NE(prj.find("AnalPers=C:\\out\\demo\\mid\\person\\mid.p_a\r\nCompPers"), std::string::npos) << prj;
  EXPECT_FALSE(host.exists("C:\\out\\person\\demo.p_a"));
}

TEST_F(WriterTest, CaseBWithoutCandidateCreatesTheProjectPersonalityOnce) {
  host.addFile("C:\\cfg\\user.p_a", "first\nsecond");
  converter.settings.analyserPersonality = "C:\\cfg\\user.p_a";
  converter.readAnalyserTemplate();
  root.files = fileListOf({"r.c"});
  root.addChild("c").files = fileListOf({"c.c"});
  ASSERT_EQ(converter.writeProject(root), 0);
  EXPECT_EQ(content("C:\\out\\person\\demo.p_a"), "first\r\nsecond");
  const auto& writes = host.writesOpened();
  EXPECT_EQ(std::count(writes.begin(), writes.end(), VirtualHost::staged("C:\\out\\person\\demo.p_a")), 1);

  host.addFile("C:\\cfg\\user.p_a", "changed\n");
  ASSERT_EQ(converter.writeProject(root), 0);
  EXPECT_EQ(content("C:\\out\\person\\demo.p_a"), "first\r\nsecond") << "kept by a later run";
}

TEST_F(WriterTest, MissingDestinationFailsOnTheProjectFileBeforeAnyOutput) {
  ProjectConverter elsewhere("C:\\src\\demo.gpj", "C:\\none", host, log);
  elsewhere.settings.projectName = "demo";
  ProjectGroup top("demo", elsewhere);
  top.files = fileListOf({"a.c"});
  const IOERROR error = writeFails(elsewhere, top);
  EXPECT_EQ(error.code, IOERROR::kCannotWriteFile);
  EXPECT_EQ(error.path, "C:\\none\\demo.prj");
  EXPECT_EQ(log.str(), "");
  EXPECT_TRUE(host.directoriesMade().empty());
}

// What was written up to the failure is never moved into place, and goes with the run.
TEST_F(WriterTest, UncreatableFolderStopsTheWalkAndLeavesNoFile) {
  host.addFile("C:\\out\\demo.prj", "earlier");
  {
    ProjectConverter run("C:\\src\\demo.gpj", "C:\\out", host, log);
    run.settings.projectName = "demo";
    ProjectGroup top("demo", run);
    top.files = fileListOf({"r.c"});
    top.addChild("bad").files = fileListOf({"b.c"});
    host.refuseDirectory("C:\\out\\demo\\bad\\output\\");
    const IOERROR error = writeFails(run, top);
    EXPECT_EQ(error.code, IOERROR::kCannotCreateDirectory);
    EXPECT_EQ(error.path, "C:\\out\\demo\\bad\\output\\");
    const std::string prj = host.fileContent(VirtualHost::staged("C:\\out\\demo.prj")).value_or("");
    EXPECT_EQ(prj.substr(prj.size() - std::string("StartSubProjectMarker\r\n").size()), "StartSubProjectMarker\r\n");
  }
  EXPECT_EQ(host.fileContent("C:\\out\\demo.prj"), "earlier");
  EXPECT_FALSE(host.exists(VirtualHost::staged("C:\\out\\demo.prj")));
  EXPECT_FALSE(host.exists(VirtualHost::staged("C:\\out\\person\\demo.p_s")));
  EXPECT_EQ(log.str().find("Completed"), std::string::npos);
}

TEST_F(WriterTest, EveryUnwritableFileRaisesCodeTwoWithItsPath) {
  const char* paths[] = {"C:\\out\\demo.prj", "C:\\out\\person\\demo.p_s", "C:\\out\\person\\demo.p_a",
                         "C:\\out\\person\\demo.p_c", "C:\\out\\demo\\c\\person\\c.p_a"};
  for (const char* path : paths) {
    for (const bool opens : {false, true}) {
      // The default message and compiler personalities are empty: no write can fail on them.
      const bool receivesContent = std::string(path).find(".p_s") == std::string::npos &&
                                   std::string(path).find(".p_c") == std::string::npos;
      if (opens && !receivesContent) continue;
      VirtualHost disk;
      disk.addDirectory("C:\\out");
      disk.addFile("C:\\cfg\\user.p_a", "body\n");
      std::ostringstream out;
      ProjectConverter run("C:\\src\\demo.gpj", "C:\\out", disk, out);
      run.settings.projectName = "demo";
      run.settings.analyserPersonality = "C:\\cfg\\user.p_a";
      run.readAnalyserTemplate();
      ProjectGroup top("demo", run);
      top.files = fileListOf({"r.c"});
      ProjectGroup& c = top.addChild("c");
      c.files = fileListOf({"c.c"});
      c.addInclude("C:\\inc");
      if (opens) {
        disk.failWritesTo(VirtualHost::staged(path));
      } else {
        disk.refuseWrite(VirtualHost::staged(path));
      }
      const IOERROR error = writeFails(run, top);
      EXPECT_EQ(error.code, IOERROR::kCannotWriteFile) << path;
      EXPECT_EQ(error.path, path) << path << (opens ? " failing writes" : " refused");
      EXPECT_EQ(out.str().find("Completed"), std::string::npos) << path;
    }
  }
}

struct EscapeCase {
  const char* rootName;
  const char* childName;
  const char* outside;  // empty when everything stays within C:\out
};

TEST_F(WriterTest, FoldersOutsideTheDestinationStopTheRunBeforeAnythingIsWritten) {
  const EscapeCase cases[] = {
      {"top", "../common/lib", ""},
      {"..", "x", "C:\\out\\.."},
      {"top", "a/../../x", ""},
      {"top", "a/../../../x", "C:\\out\\top\\a/../../.."},
      {"top", "..\\..\\up", "C:\\out\\top\\..\\.."},
      {"../out/in", "x", "C:\\out\\.."},
      {"top", "../../out/back", "C:\\out\\top\\../.."},
  };
  for (const EscapeCase& c : cases) {
    VirtualHost disk;
    disk.addDirectory("C:\\out");
    std::ostringstream out;
    ProjectConverter run("C:\\src\\" + std::string(c.rootName) + ".gpj", "C:\\out", disk, out);
    run.settings.projectName = "demo";
    ProjectGroup top(c.rootName, run);
    top.files = fileListOf({"r.c"});
    top.addChild(c.childName).files = fileListOf({"c.c"});
    if (std::string(c.outside).empty()) {
      EXPECT_EQ(run.writeProject(top), 0) << c.childName;
      continue;
    }
    const IOERROR error = writeFails(run, top);
    EXPECT_EQ(error.code, IOERROR::kCannotCreateDirectory) << c.childName;
    EXPECT_EQ(error.path, c.outside);
    EXPECT_TRUE(disk.writesOpened().empty()) << c.childName;
    EXPECT_TRUE(disk.directoriesMade().empty()) << c.childName;
    EXPECT_EQ(out.str(), "");
  }
}

TEST_F(WriterTest, DeepChainIsWrittenWithoutRecursion) {
  constexpr int kDepth = 1000;
  ProjectGroup* group = &root;
  for (int i = 0; i < kDepth; ++i) {
    group = &group->addChild("g");
    group->files = fileListOf({"f.c"});
  }
  ASSERT_EQ(converter.writeProject(root), 0);
  const std::string prj = content("C:\\out\\demo.prj");
  std::size_t starts = 0;
  std::size_t ends = 0;
  for (std::size_t at = prj.find("StartSubProjectMarker"); at != std::string::npos;
       at = prj.find("StartSubProjectMarker", at + 1)) {
    ++starts;
  }
  for (std::size_t at = prj.find("EndSubProjectMarker"); at != std::string::npos;
       at = prj.find("EndSubProjectMarker", at + 1)) {
    ++ends;
  }
  EXPECT_EQ(starts, static_cast<std::size_t>(kDepth));
  EXPECT_EQ(ends, static_cast<std::size_t>(kDepth));
  EXPECT_EQ(prj.substr(prj.size() - 21), "EndSubProjectMarker\r\n");
}

}  // namespace
}  // namespace kalvex
