// The compilation database through the built Kalvex, on the host's own paths.
#include <gtest/gtest.h>

#include "e2e_case.h"

namespace kalvex::e2e {
namespace {

const std::string kStart = "Creating Zintra/Zintra++ Project ...";
const std::string kDone = "Zintra/Zintra++ Project Completed!";

class CompileDatabase : public ::testing::Test {
 protected:
  // A backslash path below the root as a JSON string, spelled as the host spells it.
  std::string json(const std::string& backslashPath) const {
    std::string text = "\"";
    for (char c : launcher->toHostPath(withRoot(backslashPath, root))) {
      if (c == '\\' || c == '"') text += '\\';
      text += c;
    }
    return text + "\"";
  }

  // {root}\src\top.gpj with main.c and the sub-project drv (uart.cpp, an include, two defines).
  Step smallTree() const {
    Step step;
    step.folders = {R"({root}\out)", R"({root}\db)"};
    step.files = {{R"({root}\src\top.gpj)", "main.c\ndrv\\drv.gpj\n"},
                  {R"({root}\src\drv\drv.gpj)", "uart.cpp\n-Iinc\n-DDEBUG\n-DBAUD=9600\n"},
                  {R"({root}\cfg\ghs.p_c)", "-I {root}\\ghs\\inc\n"}};
    step.words = {R"({root}\src\top.gpj)", R"({root}\out)", "-cp", R"({root}\cfg\ghs.p_c)"};
    return step;
  }

  std::string smallTreeDatabase() const {
    const std::string drvOptions = json(R"({root}\src\drv\inc)") + R"(, "-D", "BAUD=9600", "-D", "DEBUG", "-c", )";
    return "[\n"
           "  {\n"
           "    \"directory\": " +
           json(R"({root}\src)") +
           ",\n"
           "    \"file\": " +
           json(R"({root}\src\main.c)") +
           ",\n"
           "    \"arguments\": [\"cc\", \"-I\", " +
           json(R"({root}\ghs\inc)") + ", \"-c\", " + json(R"({root}\src\main.c)") +
           "]\n"
           "  },\n"
           "  {\n"
           "    \"directory\": " +
           json(R"({root}\src\drv)") +
           ",\n"
           "    \"file\": " +
           json(R"({root}\src\drv\uart.cpp)") +
           ",\n"
           "    \"arguments\": [\"c++\", \"-I\", " +
           json(R"({root}\ghs\inc)") + ", \"-I\", " + drvOptions + json(R"({root}\src\drv\uart.cpp)") +
           "]\n"
           "  }\n"
           "]\n";
  }

  // One entry of the database; arguments are JSON texts already, joined by ", ".
  std::string entry(const std::string& directory, const std::string& file, const std::vector<std::string>& arguments,
                    bool last) const {
    std::string list;
    for (const std::string& argument : arguments) list += (list.empty() ? "" : ", ") + argument;
    return "  {\n    \"directory\": " + json(directory) + ",\n    \"file\": " + json(file) + ",\n    \"arguments\": [" +
           list + ", \"-c\", " + json(file) + "]\n  }" + (last ? "\n" : ",\n");
  }

  const std::string smallTreeOutput = lf({kStart, "  Creating Group - top", "  Creating Group - drv",
                                          R"(  Creating Analyser Personality - {root}\out\top\drv\person\drv.p_a)"});

  std::unique_ptr<Launcher> launcher = makeLocalLauncher();
  std::string root = launcher->backslashRoot();
};

// "-cdb" may stand anywhere after the two paths; the later one wins, made absolute against
// the working directory.
TEST_F(CompileDatabase, SmallTreeComparedWhole) {
  Step step = smallTree();
  step.words.insert(step.words.begin() + 2, {"-cdb", R"({root}\first.json)"});
  step.words.insert(step.words.end(), {"-cdb", R"(db\cc.json)"});
  step.output = smallTreeOutput + lf({kDone});
  step.expectedFiles = {{R"({root}\db\cc.json)", smallTreeDatabase()}, {R"({root}\first.json)", std::nullopt}};
  runCase({"SmallTree", {step}}, *launcher);
}

// An earlier database is replaced by a run that succeeds and kept by a run that fails.
TEST_F(CompileDatabase, AnEarlierDatabaseSurvivesFailedRuns) {
  Step replaced = smallTree();
  replaced.files.push_back({R"({root}\db\cc.json)", "earlier"});
  replaced.words.insert(replaced.words.end(), {"-cdb", R"({root}\db\cc.json)"});
  replaced.output = smallTreeOutput + lf({kDone});
  replaced.expectedFiles = {{R"({root}\db\cc.json)", smallTreeDatabase()}};

  Step readerFails = replaced;
  readerFails.files = {{R"({root}\src\top.gpj)", "main.c\nnone\\none.gpj\n"}};
  readerFails.output = lf({R"(Could not open file: {root}\src\none\none.gpj)"});
  readerFails.exitStatus = 1;
  readerFails.unchangedFolder = R"({root}\db)";

  // A new group's folder cannot be made: the database, written last, is not moved either.
  Step writerFails = replaced;
  writerFails.files = {{R"({root}\src\top.gpj)", "main.c\nnew\\new.gpj\n"},
                       {R"({root}\src\new\new.gpj)", "x.c\n"},
                       {R"({root}\out\top\new)", "in the way"}};
  writerFails.output = lf(
      {kStart, "  Creating Group - top", R"(Could not create directory: {root}\out\top\new\output\)"});
  writerFails.exitStatus = 1;
  writerFails.unchangedFolder = R"({root}\db)";
  runCase({"Survives", {replaced, readerFails, writerFails}}, *launcher);
}

// A database path that cannot be written: in a missing folder, or a folder itself.
TEST_F(CompileDatabase, APathThatCannotBeWrittenFailsTheRun) {
  for (const std::string database : {R"({root}\missing\cc.json)", R"({root}\db)"}) {
    Step step = smallTree();
    step.words.insert(step.words.end(), {"-cdb", database});
    step.output = smallTreeOutput + lf({"Could not write file: " + database});
    step.exitStatus = 1;
    step.expectedFolders = {R"({root}\db)"};
    runCase({"CannotBeWritten", {step}}, *launcher);
  }
}

// Lines indented under a source file give that file alone its options: its include directories
// before the group's (one the group names too stands at both places), its defines and "-U"
// after the group's. "-U" lines, which the personality cannot carry, are the group's or the
// file's. A sub-project gets the group's own options, not those of a file of the group.
TEST_F(CompileDatabase, AFilesOwnOptionsStandInItsEntryAlone) {
  Step step = smallTree();
  step.files = {{R"({root}\src\top.gpj)",
                 "-DG=1\n-Igrp\n-UGONE\nmain.c\n\t-DOWN=2\n\t-Iown_inc\n\n\t-U OWN_GONE\n\t-DG=3\nother.c\n-Iown_inc\n"
                 "lib\\lib.gpj\n"},
                {R"({root}\src\lib\lib.gpj)", "x.c\n"},
                {R"({root}\cfg\ghs.p_c)", "-I {root}\\ghs\\inc\n"}};
  step.words.insert(step.words.end(), {"-cdb", R"({root}\db\cc.json)"});
  step.output = lf({kStart, "  Creating Group - top",
                    R"(  Creating Analyser Personality - {root}\out\top\person\top.p_a)", "  Creating Group - lib",
                    R"(  Creating Analyser Personality - {root}\out\top\lib\person\lib.p_a)", kDone});
  const std::vector<std::string> compiler{"\"cc\"", "\"-I\"", json(R"({root}\ghs\inc)")};
  const std::vector<std::string> groupOwn{
      "\"-I\"",  json(R"({root}\src\grp)"), "\"-I\"", json(R"({root}\src\own_inc)"), "\"-D\"", "\"G=1\"", "\"-U\"",
      "\"GONE\""};
  std::vector<std::string> group = compiler;
  group.insert(group.end(), groupOwn.begin(), groupOwn.end());
  std::vector<std::string> main = compiler;
  main.insert(main.end(), {"\"-I\"", json(R"({root}\src\own_inc)")});
  main.insert(main.end(), groupOwn.begin(), groupOwn.end());
  main.insert(main.end(), {"\"-D\"", "\"OWN=2\"", "\"-U\"", "\"OWN_GONE\"", "\"-D\"", "\"G=3\""});
  step.expectedFiles = {
      {R"({root}\db\cc.json)", "[\n" + entry(R"({root}\src)", R"({root}\src\main.c)", main, false) +
                                   entry(R"({root}\src)", R"({root}\src\other.c)", group, false) +
                                   entry(R"({root}\src\lib)", R"({root}\src\lib\x.c)", group, true) + "]\n"},
      {R"({root}\out\top\person\top.p_a)",
       crlf({R"(-i "{root}\src\grp")", R"(-i "{root}\src\own_inc")", R"(-d "G=3")", R"(-d "OWN=2")"})}};
  runCase({"OwnOptions", {step}}, *launcher);
}

// Three levels, as the builder searches them: a group's own include directories before those
// it inherits, a directory named at two levels once at its first place, and in the database a
// file's own before its group's (one the group holds too at both places).
TEST_F(CompileDatabase, IncludeOrderFollowsTheBuilderThroughThreeLevels) {
  Step step;
  step.folders = {R"({root}\out)", R"({root}\db)"};
  step.files = {{R"({root}\src\top.gpj)", "-I.\\device\n-I{root}\\common\nmain.c\na\\a.gpj\n"},
                {R"({root}\src\a\a.gpj)", "-Isrc/cfg\na.c\n\t-Ifile_own\n\t-I{root}\\common\nb\\b.gpj\n"},
                {R"({root}\src\a\b\b.gpj)", "-Ib_inc\n-I{root}\\common\nb.c\n"},
                {R"({root}\cfg\ghs.p_c)", "-I {root}\\ghs\\inc\n"}};
  step.words = {R"({root}\src\top.gpj)", R"({root}\out)", "-cp",
                R"({root}\cfg\ghs.p_c)", "-cdb",          R"({root}\db\cc.json)"};
  const std::string personality = R"({root}\out\top\person\top.p_a)";
  const std::string aPersonality = R"({root}\out\top\a\person\a.p_a)";
  const std::string bPersonality = R"({root}\out\top\a\b\person\b.p_a)";
  step.output = lf({kStart, "  Creating Group - top", "  Creating Analyser Personality - " + personality,
                    "  Creating Group - a", "  Creating Analyser Personality - " + aPersonality, "  Creating Group - b",
                    "  Creating Analyser Personality - " + bPersonality, kDone});
  const std::string device = R"({root}\src\.\device)";
  const std::string common = R"({root}\common)";
  const std::string cfg = R"({root}\src\a\src\cfg)";
  const std::string own = R"({root}\src\a\file_own)";
  const std::string bInc = R"({root}\src\a\b\b_inc)";
  auto includes = [this](const std::vector<std::string>& directories) {
    std::vector<std::string> arguments{"\"cc\"", "\"-I\"", json(R"({root}\ghs\inc)")};
    for (const std::string& directory : directories) arguments.insert(arguments.end(), {"\"-I\"", json(directory)});
    return arguments;
  };
  auto lines = [](const std::vector<std::string>& directories) {
    std::vector<std::string> text;
    for (const std::string& directory : directories) text.push_back("-i \"" + directory + "\"");
    return crlf(text);
  };
  step.expectedFiles = {
      {R"({root}\db\cc.json)",
       "[\n" + entry(R"({root}\src)", R"({root}\src\main.c)", includes({device, common}), false) +
           entry(R"({root}\src\a)", R"({root}\src\a\a.c)", includes({own, common, cfg, device, common}), false) +
           entry(R"({root}\src\a\b)", R"({root}\src\a\b\b.c)", includes({bInc, common, cfg, device}), true) + "]\n"},
      {personality, lines({device, common})},
      {aPersonality, lines({cfg, own, common, device})},
      {bPersonality, lines({bInc, common, cfg, own, device})}};
  runCase({"IncludeOrder", {step}}, *launcher);
}

}  // namespace
}  // namespace kalvex::e2e
