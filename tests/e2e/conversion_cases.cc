#include "e2e_case.h"

namespace kalvex::e2e {
namespace {

const std::string kCompiler = R"({root}\cfg\ghs.p_c)";

Case workedExample() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\src\demo.gpj)", "main.c\ndrv\\drv.gpj\n"},
                {R"({root}\src\main.c)", "int main(void) { return 0; }\n"},
                {R"({root}\src\drv\drv.gpj)", "uart.c\n-Iinc\n-DBAUD=9600\n"},
                {R"({root}\src\drv\uart.c)", "void uart(void) {}\n"},
                {kCompiler, "-O2\n"}};
  step.words = {R"({root}\src\demo.gpj)", R"({root}\out)", "-cp", kCompiler};
  const std::string subs = R"({root}\out\person\demo.p_s)";
  step.output = lf({"Creating Zintra/Zintra++ Project ...", "  Creating Group - demo", "  Creating Group - drv",
                    R"(  Creating Analyser Personality - {root}\out\demo\drv\person\drv.p_a)",
                    "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join(
           {{"VersionTag45"},
            blockHead("demo", R"({root}\src)", R"({root}\out\demo)", subs, R"({root}\out\person\demo.p_a)", kCompiler),
            {R"({root}\src\main.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
            blockHead("drv", R"({root}\src\drv)", R"({root}\out\demo\drv)", subs,
                      R"({root}\out\demo\drv\person\drv.p_a)", kCompiler),
            {R"({root}\src\drv\uart.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {subs, ""},
      {R"({root}\out\person\demo.p_a)", ""},
      {R"({root}\out\demo\drv\person\drv.p_a)", crlf({R"(-i "{root}\src\drv\inc")", R"(-d "BAUD=9600")"})},
      {R"({root}\out\person\demo.p_c)", std::nullopt}};
  step.expectedFolders = {R"({root}\out\demo\output)", R"({root}\out\demo\person)", R"({root}\out\demo\drv\output)",
                          R"({root}\out\demo\drv\person)", R"({root}\out\person)"};
  return {"WorkedExample", {step}};
}

// Includes in listing order, defines sorted, then the user's personality with LF made CR LF.
Case personalityExample() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\src\top.gpj)", "drv\\drv.gpj\n"},
                {R"({root}\src\drv\drv.gpj)", "uart.c\n-Iinc\n-I..\\..\\common\\inc\n-DDEBUG\n-DBAUD=9600\n"},
                {R"({root}\cfg\user.p_a)", "-ansi\n-strict\r\nlast"},
                {R"({root}\cfg\msg.p_s)", "messages\n"},
                {kCompiler, ""}};
  step.words = {R"({root}\src\top.gpj)", R"({root}\out)", "-cp", kCompiler, "-ap", R"({root}\cfg\user.p_a)", "-mp",
                R"({root}\cfg\msg.p_s)"};
  const std::string drvPersonality = R"({root}\out\top\drv\person\drv.p_a)";
  step.output = lf({"Creating Zintra/Zintra++ Project ...", "  Creating Group - top", "  Creating Group - drv",
                    "  Creating Analyser Personality - " + drvPersonality, "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {{R"({root}\out\top.prj)",
                         crlf(join({{"VersionTag45"},
                                    blockHead("top", R"({root}\src)", R"({root}\out\top)", R"({root}\cfg\msg.p_s)",
                                              R"({root}\out\person\top.p_a)", kCompiler),
                                    {"EndContainedFilesMarker", "StartSubProjectMarker"},
                                    blockHead("drv", R"({root}\src\drv)", R"({root}\out\top\drv)",
                                              R"({root}\cfg\msg.p_s)", drvPersonality, kCompiler),
                                    {R"({root}\src\drv\uart.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
                        {drvPersonality, crlf({R"(-i "{root}\src\drv\inc")", R"(-i "{root}\src\drv\..\..\common\inc")",
                                               R"(-d "BAUD=9600")", R"(-d "DEBUG")"}) +
                                             "-ansi\r\n-strict\r\nlast"},
                        {R"({root}\out\person\top.p_a)", "-ansi\r\n-strict\r\nlast"},
                        {R"({root}\out\person\top.p_s)", std::nullopt},
                        {R"({root}\cfg\msg.p_s)", "messages\n"}};
  return {"PersonalityExample", {step}};
}

// Without "-cp" the scan reports the empty path and the run goes on.
Case rootWithoutFilesOrChildren() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\top.gpj)", "#!gbuild\n[Project]\n-DUNUSED\n"}};
  step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "stray"};
  step.output = lf(
      {"Could not open file: ", "Creating Zintra/Zintra++ Project ...", "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {{R"({root}\out\top.prj)", crlf({"VersionTag45"})},
                        {R"({root}\out\top\person\top.p_a)", std::nullopt},
                        {R"({root}\out\person)", std::nullopt}};
  step.expectedFolders = {R"({root}\out\top\output)", R"({root}\out\top\person)"};
  return {"RootWithoutFilesOrChildren", {step}};
}

Case omittedChild() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\top.gpj)", "main.c\nempty\\empty.gpj\n"},
                {R"({root}\w\empty\empty.gpj)", "-DONLY\n"},
                {kCompiler, ""}};
  step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler};
  step.output = lf(
      {"Creating Zintra/Zintra++ Project ...", "  Creating Group - top", "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {
      {R"({root}\out\top.prj)",
       crlf(join({{"VersionTag45"},
                  blockHead("top", R"({root}\w)", R"({root}\out\top)", R"({root}\out\person\top.p_s)",
                            R"({root}\out\person\top.p_a)", kCompiler),
                  {R"({root}\w\main.c)", "EndContainedFilesMarker", "StartSubProjectMarker", "EndSubProjectMarker"}}))},
      {R"({root}\out\top\empty\person\empty.p_a)", std::nullopt}};
  step.expectedFolders = {R"({root}\out\top\empty\output)", R"({root}\out\top\empty\person)"};
  return {"OmittedChildLeavesAnEmptyMarkerPair", {step}};
}

// A forward slash in a sub-project entry is a separator: the group is named x and lives in sub.
Case nameWithSlash() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {
      {R"({root}\w\top.gpj)", "main.c\nsub/x.gpj\n"}, {R"({root}\w\sub\x.gpj)", "x.c\n-DX=1\n"}, {kCompiler, ""}};
  step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler};
  const std::string personality = R"({root}\out\top\x\person\x.p_a)";
  step.output = lf({"Creating Zintra/Zintra++ Project ...", "  Creating Group - top", "  Creating Group - x",
                    "  Creating Analyser Personality - " + personality, "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {{R"({root}\out\top.prj)",
                         crlf(join({{"VersionTag45"},
                                    blockHead("top", R"({root}\w)", R"({root}\out\top)", R"({root}\out\person\top.p_s)",
                                              R"({root}\out\person\top.p_a)", kCompiler),
                                    {R"({root}\w\main.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
                                    blockHead("x", R"({root}\w\sub)", R"({root}\out\top\x)",
                                              R"({root}\out\person\top.p_s)", personality, kCompiler),
                                    {R"({root}\w\sub\x.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
                        {personality, crlf({R"(-d "X=1")"})}};
  step.expectedFolders = {R"({root}\out\top\x\output)"};
  return {"NameWithSlash", {step}};
}

// The root's candidate is D, two backslashes, "person", a backslash and ".p_a".
Case rootCandidateWins() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\top.gpj)", "main.c\n"}, {R"({root}\out\person\.p_a)", "kept\n"}, {kCompiler, ""}};
  step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler};
  step.output = lf(
      {"Creating Zintra/Zintra++ Project ...", "  Creating Group - top", "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {{R"({root}\out\top.prj)",
                         crlf(join({{"VersionTag45"},
                                    blockHead("top", R"({root}\w)", R"({root}\out\top)", R"({root}\out\person\top.p_s)",
                                              R"({root}\out\\person\.p_a)", kCompiler),
                                    {R"({root}\w\main.c)", "EndContainedFilesMarker"}}))},
                        {R"({root}\out\person\.p_a)", "kept\n"},
                        {R"({root}\out\person\top.p_a)", std::nullopt}};
  return {"RootCandidateWins", {step}};
}

// The first run writes the root's own personality; once the root has no defines, its child
// finds that file at its candidate path and refers to it.
Case candidateLeftByAnEarlierRun() {
  Step first;
  first.folders = {R"({root}\out)"};
  first.files = {{R"({root}\w\top.gpj)", "-DV=1\nmain.c\nlib\\lib.gpj\n"}, {R"({root}\w\lib\lib.gpj)", "lib.c\n"}};
  first.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-pn", "demo"};
  first.output = lf({"Could not open file: ", "Creating Zintra/Zintra++ Project ...", "  Creating Group - top",
                     R"(  Creating Analyser Personality - {root}\out\top\person\top.p_a)", "  Creating Group - lib",
                     R"(  Creating Analyser Personality - {root}\out\top\lib\person\lib.p_a)",
                     "Zintra/Zintra++ Project Completed!"});
  first.expectedFiles = {{R"({root}\out\top\person\top.p_a)", crlf({R"(-d "V=1")"})}};

  Step second;
  second.files = {{R"({root}\w\top.gpj)", "main.c\nlib\\lib.gpj\n"}};
  second.words = first.words;
  second.output = lf({"Could not open file: ", "Creating Zintra/Zintra++ Project ...", "  Creating Group - top",
                      "  Creating Group - lib", "Zintra/Zintra++ Project Completed!"});
  const std::string subs = R"({root}\out\person\demo.p_s)";
  const std::string comp = R"({root}\out\person\demo.p_c)";
  second.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join({{"VersionTag45"},
                  blockHead("top", R"({root}\w)", R"({root}\out\top)", subs, R"({root}\out\person\demo.p_a)", comp),
                  {R"({root}\w\main.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
                  blockHead("lib", R"({root}\w\lib)", R"({root}\out\top\lib)", subs, R"({root}\out\top\person\top.p_a)",
                            comp),
                  {R"({root}\w\lib\lib.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {R"({root}\out\top\person\top.p_a)", crlf({R"(-d "V=1")"})},
      {R"({root}\out\person\demo.p_a)", ""},
      {subs, ""},
      {comp, ""}};
  return {"CandidateLeftByAnEarlierRunWins", {first, second}};
}

// Group personalities follow the new analyser personality; the project-level one is kept.
Case analyserPersonalityChanges() {
  Step first;
  first.folders = {R"({root}\out)"};
  first.files = {{R"({root}\w\top.gpj)", "main.c\ndrv\\drv.gpj\n"},
                 {R"({root}\w\drv\drv.gpj)", "uart.c\n-DX\n"},
                 {R"({root}\cfg\a1.p_a)", "first\n"},
                 {kCompiler, ""}};
  first.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler, "-ap", R"({root}\cfg\a1.p_a)"};
  first.output = lf({"Creating Zintra/Zintra++ Project ...", "  Creating Group - top", "  Creating Group - drv",
                     R"(  Creating Analyser Personality - {root}\out\top\drv\person\drv.p_a)",
                     "Zintra/Zintra++ Project Completed!"});
  first.expectedFiles = {{R"({root}\out\person\top.p_a)", "first\r\n"},
                         {R"({root}\out\top\drv\person\drv.p_a)", "-d \"X\"\r\nfirst\r\n"}};
  Step second = first;
  second.folders.clear();
  second.files = {{R"({root}\cfg\a2.p_a)", "second\n"}};
  second.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler, "-ap", R"({root}\cfg\a2.p_a)"};
  second.expectedFiles = {{R"({root}\out\person\top.p_a)", "first\r\n"},
                          {R"({root}\out\top\drv\person\drv.p_a)", "-d \"X\"\r\nsecond\r\n"}};
  return {"AnalyserPersonalityChangesBetweenRuns", {first, second}};
}

// Directories the compiler personality names are left out of the group's includes.
Case compilerPersonalityScan() {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\top.gpj)", "main.c\n-Iinc dir\n-Isys\n-IDEBUG-include\n-Iother\n"},
                {kCompiler, "-I \"{root}\\w\\inc dir\"\r\n-si {root}\\w\\sys\r\n-DDEBUG-include\r\n-i\r\n-O2\r\n"}};
  step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler};
  step.output = lf({"Creating Zintra/Zintra++ Project ...", "  Creating Group - top",
                    R"(  Creating Analyser Personality - {root}\out\top\person\top.p_a)",
                    "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {
      {R"({root}\out\top\person\top.p_a)", crlf({R"(-i "{root}\w\DEBUG-include")", R"(-i "{root}\w\other")"})}};
  return {"CompilerPersonalityScan", {step}};
}

// An analyser personality that cannot be read is reported once per file that would copy it.
Case unreadableAnalyserPersonality() {
  Step step;
  step.folders = {R"({root}\out)", R"({root}\cfg\folder.p_a)"};
  step.files = {
      {R"({root}\w\top.gpj)", "main.c\ndrv\\drv.gpj\n"}, {R"({root}\w\drv\drv.gpj)", "uart.c\n-DX\n"}, {kCompiler, ""}};
  step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler, "-ap", R"({root}\cfg\folder.p_a)"};
  step.output = lf({"Creating Zintra/Zintra++ Project ...", "  Creating Group - top", "Couldnt open file",
                    "  Creating Group - drv", R"(  Creating Analyser Personality - {root}\out\top\drv\person\drv.p_a)",
                    "Couldnt open file", "Zintra/Zintra++ Project Completed!"});
  step.expectedFiles = {{R"({root}\out\person\top.p_a)", ""},
                        {R"({root}\out\top\drv\person\drv.p_a)", crlf({R"(-d "X")"})}};
  return {"UnreadableAnalyserPersonality", {step}};
}

}  // namespace

std::vector<Case> conversionCases() {
  return {workedExample(),
          personalityExample(),
          rootWithoutFilesOrChildren(),
          omittedChild(),
          nameWithSlash(),
          rootCandidateWins(),
          candidateLeftByAnEarlierRun(),
          analyserPersonalityChanges(),
          compilerPersonalityScan(),
          unreadableAnalyserPersonality()};
}

}  // namespace kalvex::e2e
