// One small tree per kind of finding, each report compared whole, with the run's output.
#include "report_fixture.h"

namespace kalvex::e2e {
namespace {

const std::string kGroup = "  Creating Group - top";
const std::string kTopPersonality = R"(  Creating Analyser Personality - {root}\out\top\person\top.p_a)";

struct KindCase {
  std::string name;
  std::string projectText;
  std::vector<std::pair<std::string, std::string>> files;  // below {root}\w
  std::vector<std::string> extraWords;
  std::vector<std::string> output;
  int exitStatus;
  std::vector<ExpectedFinding> findings;
  std::string counts;
};

// "macro M0=$(M1)" to "macro M<n-1>=$(M<n>)": a chain of n references from "$(M0)".
std::string referenceChain(int n) {
  std::string lines;
  for (int i = 0; i < n; ++i) lines += "macro M" + std::to_string(i) + "=$(M" + std::to_string(i + 1) + ")\n";
  return lines;
}

std::vector<KindCase> kindCases() {
  const std::string notCarried =
      " changes what the preprocessor sees; the project cannot carry it [option-not-converted]";
  return {
      {"SourceNotFound",
       "\t:sourceDir=src\nmain.c\nmissing.c\nindir.c\n{root}\\abs\\none.c\n",
       {{"main.c", ""}, {R"(src\indir.c)", ""}},
       {},
       {kStart, kGroup, kDone},
       0,
       {{"top.gpj",
         R"(3:1: warning: source file 'missing.c' not found; listed as {root}\w\missing.c [source-not-found])"},
        {"top.gpj", R"(5:1: warning: source file '{root}\abs\none.c' not found; listed as {root}\abs\none.c)"
                    " [source-not-found]"}},
       "0 errors, 2 warnings, 0 notes"},
      {"Conditions",
       "macro core=pe0\n{streq(core,pe1)} skip.c\n{config(DBG)} main.c\n{optgroup=GhsCommonOptions}\t-DX\n"
       "{istarget(arm)&&streq(a,a)} -DY\n{streq(a,b,c)} -DZ\n{streq(core,pe0)} -DW\n"
       "{istarget(arm)}{streq(core,pe1)} -DV\n{comment} Header Files\n{selectone_optional}none.gpj\t\t[Select One]\n",
       {{"main.c", ""}},
       {},
       {kStart, kGroup, kTopPersonality, kDone},
       0,
       {{"top.gpj", "2:1: note: line skipped: condition 'streq(core,pe1)' is false [condition-false]"},
        {"top.gpj",
         "3:1: warning: condition 'config(DBG)' not evaluated; the line was read as if the condition were not"
         " there [condition-not-evaluated]"},
        {"top.gpj",
         "5:1: warning: condition 'istarget(arm)&&streq(a,a)' not evaluated; the line was read as if the"
         " condition were not there [condition-not-evaluated]"},
        {"top.gpj", "6:1: note: line skipped: condition 'streq(a,b,c)' is false [condition-false]"},
        {"top.gpj", "8:1: note: line skipped: condition 'streq(core,pe1)' is false [condition-false]"},
        {"top.gpj", "10:1: note: optional sub-project 'none.gpj' not found; left out [optional-absent]"}},
       "0 errors, 2 warnings, 4 notes"},
      {"PerFileOption",
       "[Project]\n\t-DTOP\nmain.c\n\t-DONE\n\t-Ione_inc\n\n# a comment\n\t-UTWO\n\t-Osize\nother.c\n-DFLAT\n"
       "lib\\lib.gpj\t\t[Library]\n\t-DFORLIB\n",
       {{"main.c", ""}, {"other.c", ""}, {R"(lib\lib.gpj)", "x.c\n"}, {R"(lib\x.c)", ""}},
       {},
       {kStart, kGroup, kTopPersonality, "  Creating Group - lib",
        R"(  Creating Analyser Personality - {root}\out\top\lib\person\lib.p_a)", kDone},
       0,
       {{"top.gpj",
         "4:2: warning: option '-DONE' given to the whole group; the build gives it to 'main.c' alone"
         " [per-file-option]"},
        {"top.gpj",
         "5:2: warning: option '-Ione_inc' given to the whole group; the build gives it to 'main.c' alone"
         " [per-file-option]"},
        {"top.gpj",
         "8:2: warning: option '-UTWO' not carried by the project; the build gives it to 'main.c' alone"
         " [per-file-option]"},
        {"top.gpj",
         "13:2: warning: option '-DFORLIB' given to the whole group and all its sub-projects; the build"
         " gives it to sub-project 'lib\\lib.gpj' alone [per-file-option]"}},
       "0 errors, 4 warnings, 0 notes"},
      {"OptionNotConverted",
       "\t-UNDEBUG\n\t-include pre.h\n\t-preinclude=pre.h\n\t-imacros m.h\n\t-isystem sys\n\t-o x.o\n"
       "\t-object_dir=obj\n\t-G\n\t-Ospeed\n\t-lm\n\t:postexec=x\nmain.c\n",
       {{"main.c", ""}},
       {},
       {kStart, kGroup, kDone},
       0,
       {{"top.gpj", "1:2: warning: option '-UNDEBUG'" + notCarried},
        {"top.gpj", "2:2: warning: option '-include pre.h'" + notCarried},
        {"top.gpj", "3:2: warning: option '-preinclude=pre.h'" + notCarried},
        {"top.gpj", "4:2: warning: option '-imacros m.h'" + notCarried},
        {"top.gpj", "5:2: warning: option '-isystem sys'" + notCarried}},
       "0 errors, 5 warnings, 0 notes"},
      {"NotASource",
       "main.c\nlink.con\ncfg\\build.cmake\n",
       {{"main.c", ""}},
       {},
       {kStart, kGroup, kDone},
       0,
       {{"top.gpj", "2:1: note: 'link.con' left out: not a C or C++ source file [not-a-source]"},
        {"top.gpj", "3:1: note: 'cfg\\build.cmake' left out: not a C or C++ source file [not-a-source]"}},
       "0 errors, 0 warnings, 2 notes"},
      {"NotInTheExtensionList",
       "main.c\nutil.cpp\n",
       {{"main.c", ""}, {"util.cpp", ""}},
       {"-ext", "c"},
       {kStart, kGroup, kDone},
       0,
       {{"top.gpj", "2:1: note: 'util.cpp' left out: its extension is not in the -ext list [not-a-source]"}},
       "0 errors, 0 warnings, 1 notes"},
      {"OptionalAbsent",
       "main.c\n{optional} none\\none.gpj\n\topt.gpj {optional}\n",
       {{"main.c", ""}},
       {},
       {kStart, kGroup, kDone},
       0,
       {{"top.gpj", "2:1: note: optional sub-project 'none\\none.gpj' not found; left out [optional-absent]"},
        {"top.gpj", "3:2: note: optional sub-project 'opt.gpj' not found; left out [optional-absent]"}},
       "0 errors, 0 warnings, 2 notes"},
      {"UnresolvedReference",
       "macro ROOT=base\n-I$(BSP_DIR)\\inc\n-I${__MULTI_DIR__}/src/libsys\nmain.c\n-I${%option_value(x)}/inc\n"
       "{optional} $(NOPE)\\s.gpj\n",
       {{"main.c", ""}},
       {},
       {kStart, kGroup, kTopPersonality, kDone},
       0,
       {{"top.gpj", "2:1: warning: reference '$(BSP_DIR)' left as written [unresolved-reference]"},
        {"top.gpj", "3:1: warning: reference '${__MULTI_DIR__}' left as written [unresolved-reference]"},
        {"top.gpj", "5:1: warning: builtin '${%option_value(x)}' left as written [unresolved-reference]"},
        {"top.gpj", "6:1: warning: reference '$(NOPE)' left as written [unresolved-reference]"},
        {"top.gpj", "6:1: note: optional sub-project '$(NOPE)\\s.gpj' not found; left out [optional-absent]"}},
       "0 errors, 4 warnings, 1 notes"},
      {"OptionsFiles",
       ":optionsFile=opts.opt\n\t:optionsFile=missing.opt\nmain.c\n",
       {{"main.c", ""}, {"opts.opt", "[Options File]\n-UNDEBUG\n  {config(X)} -DX\n"}},
       {},
       {kStart, kGroup, kTopPersonality, kDone},
       0,
       {{"opts.opt", "2:1: warning: option '-UNDEBUG'" + notCarried},
        {"opts.opt",
         "3:3: warning: condition 'config(X)' not evaluated; the line was read as if the condition were not"
         " there [condition-not-evaluated]"},
        {"top.gpj", R"(2:2: warning: options file cannot be opened: {root}\w\missing.opt [options-file-missing])"}},
       "0 errors, 3 warnings, 0 notes"},
      {"ConfigurationFileMissing",
       "defineConfig(Debug DBG none.gpc)\nmain.c\n",
       {{"main.c", ""}},
       {"-config", "debug"},
       {kStart, kGroup, kDone},
       0,
       {{"top.gpj", R"(1:1: warning: options file cannot be opened: {root}\w\none.gpc [options-file-missing])"}},
       "0 errors, 1 warnings, 0 notes"},
      {"ProjectFileMissing",
       "missing.c\nnothere\\sub.gpj\n",
       {},
       {},
       {R"(Could not open file: {root}\w\nothere\sub.gpj)"},
       1,
       {{"top.gpj",
         R"(1:1: warning: source file 'missing.c' not found; listed as {root}\w\missing.c [source-not-found])"},
        {"top.gpj", R"(2:1: error: project file cannot be opened: {root}\w\nothere\sub.gpj [project-file-missing])"}},
       "1 errors, 1 warnings, 0 notes"},
      {"SubProjectLoop",
       "main.c\na\\a.gpj\n",
       {{"main.c", ""}, {R"(a\a.gpj)", "\n  ..\\top.gpj\n"}},
       {},
       {R"(Sub-project loop: {root}\w\a\..\top.gpj)"},
       1,
       {{R"(a\a.gpj)", R"(2:3: error: sub-project loop: {root}\w\a\..\top.gpj is already being read further up)"
                       " [sub-project-loop]"}},
       "1 errors, 0 warnings, 0 notes"},
      {"NotAProjectFile",
       "-DTOP\n\t:optionsFile=opts.bin\nbin.gpj\nmain.c\n",
       {{"main.c", ""}, {"opts.bin", std::string("\0-DX\n", 5)}, {"bin.gpj", std::string("x.c\n\0", 5)}},
       {},
       {kStart, kGroup, kTopPersonality, kDone},
       0,
       {{"top.gpj",
         "2:2: warning: not a project file (it holds a NUL byte): {root}\\w\\opts.bin; skipped"
         " [not-a-project-file]"},
        {"top.gpj",
         "3:1: warning: not a project file (it holds a NUL byte): {root}\\w\\bin.gpj; its group stays empty"
         " [not-a-project-file]"}},
       "0 errors, 2 warnings, 0 notes"},
      {"ImportAndDefines",
       "import KALVEX_E2E_UNSET\n-DV=$(NOPE) -DW=${KALVEX_E2E_UNSET}\nmain.c\n",
       {{"main.c", ""}},
       {},
       {kStart, kGroup, kTopPersonality, kDone},
       0,
       {{"top.gpj",
         "1:1: note: environment variable 'KALVEX_E2E_UNSET' not set; 'import KALVEX_E2E_UNSET' defines"
         " nothing [import-not-set]"},
        {"top.gpj", "2:1: warning: reference '$(NOPE)' left as written [unresolved-reference]"},
        {"top.gpj", "2:1: warning: reference '${KALVEX_E2E_UNSET}' left as written [unresolved-reference]"}},
       "0 errors, 2 warnings, 1 notes"},
      {"ReferenceChainStopped",
       referenceChain(33) + "-I$(M0)\nmain.c\n",
       {{"main.c", ""}},
       {},
       {kStart, kGroup, kTopPersonality, kDone},
       0,
       {{"top.gpj",
         "34:1: warning: reference '$(M32)' not expanded: a chain of references stops at 32"
         " [unresolved-reference]"}},
       "0 errors, 1 warnings, 0 notes"},
      {"PersonalityMissing",
       "main.c\n",
       {{"main.c", ""}},
       {"-ap", R"({root}\w\none.p_a)", "-mp", R"({root}\w\none.p_s)"},
       {kStart, kGroup, "Couldnt open file", kDone},
       0,
       {{"none.p_s", R"(1:1: warning: personality cannot be opened: {root}\w\none.p_s [personality-missing])"},
        {"none.p_a", R"(1:1: warning: personality cannot be opened: {root}\w\none.p_a [personality-missing])"}},
       "0 errors, 2 warnings, 0 notes"},
      // A file read twice, and a line that names one reference three times: each finding once.
      {"RepeatsWrittenOnce",
       "a.gpj\na.gpj\n",
       {{"a.gpj", "missing.c\n${NOPE}/${NOPE}/${NOPE}.c\n"}},
       {},
       {kStart, kGroup, "  Creating Group - a", "  Creating Group - a", kDone},
       0,
       {{"a.gpj",
         R"(1:1: warning: source file 'missing.c' not found; listed as {root}\w\missing.c [source-not-found])"},
        {"a.gpj", "2:1: warning: reference '${NOPE}' left as written [unresolved-reference]"},
        {"a.gpj", R"(2:1: warning: source file '${NOPE}/${NOPE}/${NOPE}.c' not found; listed as )"
                  R"(${NOPE}\${NOPE}\${NOPE}.c [source-not-found])"}},
       "0 errors, 3 warnings, 0 notes"},
  };
}

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class ReportKinds : public ReportTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ReportKinds, ReportComparedWhole) {
  const KindCase& c = GetParam();
  Step step = topStep(c.projectText, c.files);
  step.words.insert(step.words.end(), c.extraWords.begin(), c.extraWords.end());
  step.output = lf(c.output);
  step.exitStatus = c.exitStatus;
  step.expectedFiles = {{kReport, reportText(c.findings, c.counts)}};
  if (c.exitStatus != 0) step.emptyFolders = {R"({root}\out)"};
  runCase({c.name, {step}}, *launcher);
}

INSTANTIATE_TEST_SUITE_P(Report, ReportKinds, ::testing::ValuesIn(kindCases()),
                         [](const ::testing::TestParamInfo<KindCase>& info) { return info.param.name; });

// The top file is named by the command line: its finding stands at the file itself.
TEST_F(ReportTest, AMissingTopFileIsTheReportsOneFinding) {
  Step step = topStep("");
  step.words[0] = R"({root}\w\none.gpj)";
  step.output = lf({R"(Could not open file: {root}\w\none.gpj)"});
  step.exitStatus = 1;
  step.expectedFiles = {
      {kReport, reportText({{"none.gpj", R"(1:1: error: project file cannot be opened: {root}\w\none.gpj)"
                                         " [project-file-missing]"}},
                           "1 errors, 0 warnings, 0 notes")}};
  step.emptyFolders = {R"({root}\out)"};
  runCase({"MissingTopFile", {step}}, *launcher);
}

// A top file that is not text fails the run before anything is written.
TEST_F(ReportTest, ATopFileThatIsNotTextFailsTheRun) {
  Step step = topStep(std::string("\xff\xfe-\0I\0n\0c\0", 10));
  step.output = lf({R"(Not a project file: {root}\w\top.gpj)"});
  step.exitStatus = 1;
  step.expectedFiles = {
      {kReport, reportText({{"top.gpj", R"(1:1: error: not a project file (it holds a NUL byte): {root}\w\top.gpj)"
                                        " [not-a-project-file]"}},
                           "1 errors, 0 warnings, 0 notes")}};
  step.emptyFolders = {R"({root}\out)"};
  runCase({"TopFileNotText", {step}}, *launcher);
}

// A writer failure is the report's last finding, an error at the path that failed; the
// destination keeps nothing of the run.
TEST_F(ReportTest, AWriterFailureIsTheLastFinding) {
  Step step = topStep("missing.c\n");
  step.files.push_back({R"({root}\out\top)", "in the way"});
  step.output = lf({kStart, R"(Could not create directory: {root}\out\top\output\)"});
  step.exitStatus = 1;
  step.unchangedFolder = R"({root}\out)";
  const std::string failed = root + R"(\out\top\output\)";
  step.expectedFiles = {
      {kReport, reportText({{"top.gpj", R"(1:1: warning: source file 'missing.c' not found; listed as )"
                                        R"({root}\w\missing.c [source-not-found])"}},
                           "1 errors, 1 warnings, 0 notes")}};
  step.expectedFiles.front().bytes->insert(
      step.expectedFiles.front().bytes->rfind("1 errors"),
      launcher->toHostPath(failed) + ":1:1: error: Could not create directory: " + failed + " [directory-failed]\n");
  runCase({"WriterFailure", {step}}, *launcher);
}

}  // namespace
}  // namespace kalvex::e2e
