#include "entry.h"

#include <gtest/gtest.h>

#include <sstream>

#include "project_converter.h"
#include "support/run_program.h"
#include "support/virtual_host.h"

namespace kalvex {
namespace {

struct AbsoluteCase {
  const char* path;
  const char* expected;
};

void PrintTo(const AbsoluteCase& c, std::ostream* os) { *os << '"' << c.path << '"'; }

class MakeAbsolutePathTest : public ::testing::TestWithParam<AbsoluteCase> {};

// C: is current at C:\a; drive D has its own current directory D:\b; drive Q exists but
// cannot be made current; drive E's current directory is its root.
VirtualHost makeDesktop() {
  VirtualHost host;
  host.addDrive('D', "D:\\b");
  host.addDrive('E', "E:\\");
  host.addDrive('Q', "Q:\\q");
  host.refuseDrive('Q');
  host.setCurrentDirectory("C:\\a");
  return host;
}

TEST_P(MakeAbsolutePathTest, ResolvesAgainstTheRightDirectory) {
  VirtualHost host = makeDesktop();
  EXPECT_EQ(makeAbsolutePath(GetParam().path, host), GetParam().expected);
  EXPECT_EQ(host.currentDirectory(), "C:\\a") << "the current drive must be restored";
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MakeAbsolutePathTest,
    ::testing::Values(AbsoluteCase{"x.gpj", "C:\\a\\x.gpj"}, AbsoluteCase{".", "C:\\a"},
                      AbsoluteCase{"..\\x", "C:\\a\\..\\x"}, AbsoluteCase{"\\proj\\x.gpj", "\\proj\\x.gpj"},
                      AbsoluteCase{"\\\\server\\share\\x", "\\\\server\\share\\x"},
                      AbsoluteCase{"C:\\w\\x.gpj", "C:\\w\\x.gpj"}, AbsoluteCase{"D:x.gpj", "D:\\b\\x.gpj"},
                      AbsoluteCase{"D:sub\\x.gpj", "D:\\b\\sub\\x.gpj"}, AbsoluteCase{"D:", "D:\\b\\"},
                      AbsoluteCase{"E:x", "E:\\\\x"}, AbsoluteCase{"Q:x", "C:\\a\\x"}, AbsoluteCase{"Z:x", "C:\\a\\x"},
                      AbsoluteCase{"/tmp/x", "C:\\a\\/tmp/x"}, AbsoluteCase{"a:b\\..\\.\\c", "C:\\a\\b\\..\\.\\c"},
                      AbsoluteCase{"", "C:\\a\\"}));

TEST(MakeAbsolutePath, RootOfADriveGivesTwoBackslashes) {
  VirtualHost host;
  host.setCurrentDirectory("C:\\");
  EXPECT_EQ(makeAbsolutePath("x.gpj", host), "C:\\\\x.gpj");
  EXPECT_EQ(makeAbsolutePath(".", host), "C:\\");
}

TEST(MakeAbsolutePath, RestoresTheCurrentDriveAfterADriveRelativePath) {
  VirtualHost host = makeDesktop();
  host.setCurrentDirectory("D:\\b\\c");
  EXPECT_EQ(makeAbsolutePath("C:y", host), "C:\\a\\y");
  EXPECT_EQ(host.currentDirectory(), "D:\\b\\c");
}

TEST(DefaultProjectName, FollowsTheStemRules) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\work\\app\\board.gpj", "board"},
      {"C:\\work\\my.app\\board.gpj", "board"},
      {"C:\\work\\app\\board.rev2.gpj", "board"},
      {"C:\\work\\my.app\\board", "my"},
      {"C:\\work\\app\\.hidden.gpj", ""},
      {"C:\\work\\app\\board", "board"},
      {"board.gpj", "board"},
      {"C:\\a.b\\c.d\\e", "c"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(defaultProjectName(path), name) << path;
}

struct ScanResult {
  std::string projectName, message, analyser, compiler;
  std::vector<std::string> extensions;
  std::string database, report;
};

ScanResult scan(const std::vector<std::string>& words) {
  VirtualHost host;
  host.setCurrentDirectory("C:\\cwd");
  std::ostringstream log;
  ProjectConverter converter("C:\\p\\top.gpj", "C:\\out", host, log);
  converter.settings.projectName = "top";
  applyOptions(words, converter, host);
  const ConversionSettings& s = converter.settings;
  return {s.projectName,
          s.messagePersonality,
          s.analyserPersonality,
          s.compilerPersonality,
          s.extensions,
          s.compileDatabase,
          s.report};
}

TEST(OptionScan, ValueWordsAreExaminedAgain) {
  const ScanResult r = scan({"Kalvex", "top.gpj", "out", "-pn", "-ext", "c"});
  EXPECT_EQ(r.projectName, "-ext");
  EXPECT_EQ(r.extensions, (std::vector<std::string>{"c"}));
}

TEST(OptionScan, RepeatedOptions) {
  const ScanResult r = scan({"Kalvex", "top.gpj", "out", "-pn", "one", "-cdb", "a.json", "-ext", "c,cpp", "-pn", "two",
                             "-ext", "h", "-cdb", "D:\\b.json"});
  EXPECT_EQ(r.projectName, "two");
  EXPECT_EQ(r.database, "D:\\b.json");
  EXPECT_EQ(r.extensions, (std::vector<std::string>{"c", "cpp", "h"}));
}

TEST(OptionScan, PathOptionsAreMadeAbsoluteAndTheNameIsNot) {
  const ScanResult r = scan({"Kalvex", "top.gpj", "out", "-pn", "..\\x", "-mp", "x", "-ap", "C:\\a.p_a", "-cp",
                             "\\c.p_c", "-cdb", "db\\cc.json"});
  EXPECT_EQ(r.projectName, "..\\x");
  EXPECT_EQ(r.database, "C:\\cwd\\db\\cc.json");
  EXPECT_EQ(r.message, "C:\\cwd\\x");
  EXPECT_EQ(r.analyser, "C:\\a.p_a");
  EXPECT_EQ(r.compiler, "\\c.p_c");
}

// Windows reads "/" as a separator too: "C:/x" is absolute, "/x" starts at the root of the
// current drive. Names and extension lists are no paths.
TEST(OptionScan, SlashesInPathValuesAreSeparators) {
  const ScanResult r = scan({"Kalvex", "top.gpj", "out", "-pn", "a/b", "-mp", "C:/m/x.p_m", "-ap", "cfg/a.p_a", "-cp",
                             "/c/c.p_c", "-cdb", "D:db/cc.json", "-report", "C:/r/report.txt", "-ext", "c/h"});
  EXPECT_EQ(r.projectName, "a/b");
  EXPECT_EQ(r.message, "C:\\m\\x.p_m");
  EXPECT_EQ(r.analyser, "C:\\cwd\\cfg\\a.p_a");
  EXPECT_EQ(r.compiler, "\\c\\c.p_c");
  EXPECT_EQ(r.database, "C:\\cwd\\db\\cc.json") << "a drive that cannot be made current falls back";
  EXPECT_EQ(r.report, "C:\\r\\report.txt");
  EXPECT_EQ(r.extensions, (std::vector<std::string>{"c/h"}));
}

TEST(RunKalvex, ProjectAndDestinationWordsReadSlashesAsSeparators) {
  VirtualHost host = makeDesktop();
  host.addFile("C:\\p\\top.gpj", "main.c\r\n");
  host.addFile("C:\\p\\main.c", "");
  host.addFile("D:\\b\\cfg\\ghs.p_c", "");
  host.addDirectory("C:\\out");
  std::ostringstream out;
  EXPECT_EQ(runKalvex({"Kalvex", "C:/p/top.gpj", "/out", "-cp", "D:cfg/ghs.p_c"}, host, out), 0) << out.str();
  EXPECT_TRUE(host.exists("C:\\out\\top.prj"));
  EXPECT_NE(host.fileContent("C:\\out\\top.prj").value_or("").find("CompPers=D:\\b\\cfg\\ghs.p_c\r\n"),
            std::string::npos);
}

TEST(OptionScan, OptionWordsAreCaseSensitiveAndStrayWordsIgnored) {
  const ScanResult r = scan({"Kalvex", "top.gpj", "out", "-PN", "x", "stray", "-Ext", "c", "-CDB", "x", "-cp"});
  EXPECT_EQ(r.projectName, "top");
  EXPECT_TRUE(r.extensions.empty());
  EXPECT_EQ(r.database, "");
  EXPECT_EQ(r.compiler, "") << "an option word with nothing after it is ignored";
  EXPECT_EQ(scan({"Kalvex", "top.gpj", "out", "-cdb"}).database, "");
}

TEST(OptionScan, PositionalWordsThatLookLikeOptionsStillAct) {
  const ScanResult r = scan({"Kalvex", "-pn", "-ext", "x"});
  EXPECT_EQ(r.projectName, "-ext");
  EXPECT_EQ(r.extensions, (std::vector<std::string>{"x"}));
}

#ifdef _WIN32
// Standard output is in text mode on Windows, so every line ends in CR LF there.
#define KALVEX_NEWLINE "\r\n"
#else
#define KALVEX_NEWLINE "\n"
#endif

const std::string kUsage =
    "Usage: Kalvex <source_proj> <dest_folder> -cp <compiler_personality> [-pn dest_proj_name]\n"
    "[-mp message_personality] [-ap analyser_personality] [-ext file_extension]\n";
const std::string kPrintedUsage =
    "Usage: Kalvex <source_proj> <dest_folder> -cp <compiler_personality> [-pn dest_proj_name]" KALVEX_NEWLINE
    "[-mp message_personality] [-ap analyser_personality] [-ext file_extension]" KALVEX_NEWLINE;

TEST(KalvexBinary, PrintsTheUsageBelowFourWords) {
  const std::vector<std::vector<std::string>> commandLines = {
      {KALVEX_BINARY}, {KALVEX_BINARY, "a.gpj"}, {KALVEX_BINARY, "a.gpj", "out"}};
  for (const auto& words : commandLines) {
    const testing::ProgramResult result = testing::runProgram(words);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.standardOutput, kPrintedUsage);
    EXPECT_EQ(result.standardError, "");
  }
}

TEST(KalvexBinary, UsageThroughTheEntryToo) {
  VirtualHost host;
  std::ostringstream out;
  EXPECT_EQ(runKalvex({"Kalvex", "a", "b"}, host, out), 0);
  EXPECT_EQ(out.str(), kUsage);
}

}  // namespace
}  // namespace kalvex
