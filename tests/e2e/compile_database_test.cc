// The compilation database through the built Kalvex, on the host's own paths.
#include <gtest/gtest.h>

#include "e2e_case.h"

namespace kalvex::e2e {
namespace {

const std::string kStart = "Creating Zintra/Zintra++ Project ...";
const std::string kDone = "Zintra/Zintra++ Project Completed!";

class CompileDatabase : public ::testing::Test {
 protected:
  // A system path below the root as a JSON string, spelled as the host spells it.
  std::string json(const std::string& systemPath) const {
    std::string text = "\"";
    for (char c : launcher->hostPath(withRoot(systemPath, root))) {
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

  const std::string smallTreeOutput = lf({kStart, "  Creating Group - top", "  Creating Group - drv",
                                          R"(  Creating Analyser Personality - {root}\out\top\drv\person\drv.p_a)"});

  std::unique_ptr<Launcher> launcher = makeLocalLauncher();
  std::string root = launcher->systemRoot();
};

// "-cdb" may stand anywhere after the two paths; the later one wins, made absolute against
// the working directory.
TEST_F(CompileDatabase, SmallTreeComparedWhole) {
  Step step = smallTree();
  step.words.insert(step.words.begin() + 2, {"-cdb", R"({root}\first.json)"});
  step.words.insert(step.words.end(), {"-cdb", R"(db\cc.json)"});
  step.output = smallTreeOutput + lf({kDone});
  step.expectedFiles = {{R"({root}\db\cc.json)", smallTreeDatabase()},
                        {R"({root}\db\cc.json.kalvex-tmp)", std::nullopt},
                        {R"({root}\first.json)", std::nullopt}};
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

  Step diskFull = replaced;
  diskFull.files = {{R"({root}\src\top.gpj)", "main.c\n"}};
  diskFull.fullDeviceLinks = {R"({root}\db\cc.json.kalvex-tmp)"};
  diskFull.output = lf({kStart, "  Creating Group - top", R"(Could not write file: {root}\db\cc.json)"});
  diskFull.exitStatus = 1;
  diskFull.expectedFiles.push_back({R"({root}\db\cc.json.kalvex-tmp)", std::nullopt});
  runCase({"Survives", {replaced, readerFails, diskFull}}, *launcher);
}

// A database path that cannot be written: in a missing folder, or a folder itself.
TEST_F(CompileDatabase, APathThatCannotBeWrittenFailsTheRun) {
  for (const std::string database : {R"({root}\missing\cc.json)", R"({root}\db)"}) {
    Step step = smallTree();
    step.words.insert(step.words.end(), {"-cdb", database});
    step.output = smallTreeOutput + lf({"Could not write file: " + database});
    step.exitStatus = 1;
    step.expectedFiles = {{database + ".kalvex-tmp", std::nullopt}};
    step.expectedFolders = {R"({root}\db)"};
    runCase({"CannotBeWritten", {step}}, *launcher);
  }
}

}  // namespace
}  // namespace kalvex::e2e
