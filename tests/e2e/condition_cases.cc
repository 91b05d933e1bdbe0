// Trees whose lines choose what the build reads: a loader written by hand for several CPUs,
// the IDE's build configurations, CMake's source-group comments and the toolchain's library
// projects with a choice of optional targets.
#include "dialect_tree.h"

namespace kalvex::e2e {
namespace {

using namespace dialect;

// A group without includes or defines of its own: it keeps the project's analyser
// personality and writes none.
std::vector<std::string> sharedBlock(const std::string& name, const std::string& source) {
  return blockHead(name, source, R"({root}\out\)" + name, kSubs, R"({root}\out\person\demo.p_a)", kCompiler);
}

// The progress of a run whose top group writes no personality and whose one child does.
std::string progressBelowSharedTop(const std::string& top, const std::string& child) {
  return lf({kStart, "  Creating Group - " + top, "  Creating Group - " + child,
             "  Creating Analyser Personality - " + personality(top + "\\" + child), kDone});
}

// Several values in one streq, "&&" with comparisons of numbers, and "!streq" pairs.
Case vendorLoader() {
  Step step = demoStep(
      R"({root}\ldr\loader.gpj)",
      {{R"({root}\ldr\loader.gpj)",
        "macro MICON=RH850U2A\nmacro STAYINBOOT_TIME=0\nmacro FLASH_KB=0x400\n"
        "{streq(MICON, RH850U2A, RH850U2B)} -DCPU_G4=1\n{!streq(MICON, RH850U2A, RH850U2B)} -DCPU_G3=1\n"
        "{streq(MICON, RH850U2A, RH850U2B)} -Icpu/u2x\n{!streq(MICON, RH850U2A, RH850U2B)} -Icpu/g3\n"
        "{isdefined(STAYINBOOT_TIME) && STAYINBOOT_TIME > 0} -DREPROG_CFG_STAYINBOOT_ENABLE=1U\n"
        "{isdefined(FLASH_KB) && FLASH_KB >= 1024} -DBIG_FLASH\n"
        "{FLASH_KB < -1 || streq(\"${MICON}\", RH850U2B)} -DNEVER\n"
        "{(streq(MICON,RH850E2M) || streq(MICON,RH850U2A)) && !isdefined(NO_BOOT)} boot.c\n"
        "{istarget(rh850)} common.c\n{isundefined(STAYINBOOT_TIME) && istarget(rh850)} legacy.c\n"
        "{streq(MICON,RH850U2B)} cpu\\u2b.gpj\n{streq(MICON,RH850U2A)} cpu\\u2a.gpj\n"},
       {R"({root}\ldr\boot.c)", ""},
       {R"({root}\ldr\common.c)", ""},
       {R"({root}\ldr\legacy.c)", ""},
       {R"({root}\ldr\cpu\u2a.gpj)", "-DU2A\n{STAYINBOOT_TIME != 0x0} -DSTAY\nu2a_start.c\n"},
       {R"({root}\ldr\cpu\u2a_start.c)", ""}});
  step.output = progress({"loader", R"(loader\u2a)"});
  const std::vector<std::string> includes{R"(-i "{root}\ldr\cpu\u2x")"};
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(
           join({{"VersionTag45"},
                 block("loader", R"({root}\ldr)", "loader"),
                 {R"({root}\ldr\boot.c)", R"({root}\ldr\common.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
                 block(R"(loader\u2a)", R"({root}\ldr\cpu)", R"(loader\u2a)"),
                 {R"({root}\ldr\cpu\u2a_start.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {personality("loader"), crlf(join({includes, {R"(-d "BIG_FLASH")", R"(-d "CPU_G4=1")"}}))},
      {personality(R"(loader\u2a)"), crlf(join({includes, {R"(-d "BIG_FLASH")", R"(-d "CPU_G4=1")", R"(-d "U2A")"}}))}};
  return {"VendorLoaderConditions", {step}};
}

const std::string kIdeTop =
    "#!gbuild\ndefineConfig (\"Debug\" \"DBG\" \"tgt\\debug.gpc\")\ndefineConfig(Release rel release.gpc)\n"
    "primaryTarget=rh850_standalone.tgt\n[Project]\n\t-DAPP\n\t{config(DBG)} -DTRACE\n\t{!config(DBG)} -DNDEBUG\n"
    "src\\src.gpj\t\t[Library]\n";

std::vector<std::pair<std::string, std::string>> ideFiles() {
  return {{R"({root}\ide\app.gpj)", kIdeTop},
          {R"({root}\ide\tgt\debug.gpc)", "#!gbuild\n[Options File]\n-DDEBUG=1\n-Itgt\\dbg_inc\n"},
          {R"({root}\ide\release.gpc)", "-DRELEASE\n-Ofast\n-Irel_inc\n"},
          {R"({root}\ide\src\src.gpj)", "main.c\n{config(rel)} fast.c\ndefineConfig(Sub sub sub.gpc)\n"},
          {R"({root}\ide\src\sub.gpc)", "-DSUB\n"},
          {R"({root}\ide\src\main.c)", ""},
          {R"({root}\ide\src\fast.c)", ""}};
}

// One conversion of the IDE tree with the given words after the usual ones.
Step ideStep(const std::vector<std::string>& extraWords, const std::vector<std::string>& files,
             const std::vector<std::string>& personalityLines) {
  Step step = demoStep(R"({root}\ide\app.gpj)", ideFiles());
  step.words.insert(step.words.end(), extraWords.begin(), extraWords.end());
  step.output = progress({"app", R"(app\src)"});
  std::vector<std::string> listed;
  for (const std::string& file : files) listed.push_back(R"({root}\ide\src\)" + file);
  listed.insert(listed.end(), {"EndContainedFilesMarker", "EndSubProjectMarker"});
  step.expectedFiles = {{R"({root}\out\demo.prj)", crlf(join({{"VersionTag45"},
                                                              block("app", R"({root}\ide)", "app"),
                                                              {"EndContainedFilesMarker", "StartSubProjectMarker"},
                                                              block(R"(app\src)", R"({root}\ide\src)", R"(app\src)"),
                                                              listed}))},
                        {personality("app"), crlf(personalityLines)},
                        {personality(R"(app\src)"), crlf(personalityLines)}};
  return step;
}

// Without -config every config() is unknown and no .gpc is read; a word chooses by NAME or
// TAG in any case, and the chosen .gpc counts where its defineConfig line stands.
Case ideConfigurations() {
  return {"IdeConfigurations",
          {ideStep({}, {"main.c", "fast.c"}, {R"(-d "APP")", R"(-d "NDEBUG")", R"(-d "TRACE")"}),
           ideStep({"-config", "dbg"}, {"main.c"},
                   {R"(-i "{root}\ide\tgt\dbg_inc")", R"(-d "APP")", R"(-d "DEBUG=1")", R"(-d "TRACE")"}),
           ideStep({"-config", "RELEASE"}, {"main.c", "fast.c"},
                   {R"(-i "{root}\ide\rel_inc")", R"(-d "APP")", R"(-d "NDEBUG")", R"(-d "RELEASE")"})}};
}

// A word that no configuration of the top file has (a sub-project's defineConfig does not
// count) ends the run before anything is written, the report included.
Case unknownConfiguration() {
  Step step = demoStep(R"({root}\ide\app.gpj)", ideFiles());
  step.words.insert(step.words.end(), {"-config", "Sub", "-report", R"({root}\report.txt)"});
  step.output = lf({"Unknown configuration: Sub", "  Debug (DBG)", "  Release (rel)"});
  step.exitStatus = 1;
  step.emptyFolders = {R"({root}\out)"};
  step.expectedFiles = {{R"({root}\report.txt)", std::nullopt}, {R"({root}\report.txt.kalvex-tmp)", std::nullopt}};
  return {"UnknownConfiguration", {step}};
}

// CMake writes a target's source groups as "{comment}" lines when it writes no file for them.
Case cmakeComments() {
  Step step = demoStep(
      R"({root}\gen\demo.top.gpj)",
      {{R"({root}\gen\demo.top.gpj)", "#!gbuild\n[Project]\n{comment} CMake Rules.gpj\napp.tgt.gpj [Program]\n"},
       {R"({root}\gen\app.tgt.gpj)",
        "#!gbuild\n[Program]\n    -DAPP_MODE=2\n{comment} Header Files\n{comment} inc/app.h\n"
        "{comment} Source Files\nsrc/app.c\n{comment} src/old.c\n{comment}\t-DOLD\nsrc/util.c [CXX]\n"},
       {R"({root}\gen\src\app.c)", ""},
       {R"({root}\gen\src\old.c)", ""},
       {R"({root}\gen\src\util.c)", ""}});
  step.output = progressBelowSharedTop("demo.top", "app.tgt");
  step.expectedFiles = {
      {R"({root}\out\demo.prj)", crlf(join({{"VersionTag45"},
                                            sharedBlock("demo.top", R"({root}\gen)"),
                                            {"EndContainedFilesMarker", "StartSubProjectMarker"},
                                            block(R"(demo.top\app.tgt)", R"({root}\gen)", R"(demo.top\app.tgt)"),
                                            {R"({root}\gen\src\app.c)", R"({root}\gen\src\util.c)",
                                             "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {personality(R"(demo.top\app.tgt)"), crlf({R"(-d "APP_MODE=2")"})}};
  return {"CMakeSourceGroupComments", {step}};
}

// The toolchain's libraries name one target project of several; those absent are skipped.
Case selectOneOptional() {
  Step step = demoStep(R"({root}\lib\libind.gpj)",
                       {{R"({root}\lib\libind.gpj)",
                         "#!gbuild\n[Library]\n{selectone_optional}ind_targ1.gpj\t\t[Select One]\n"
                         "{selectone_optional}ind_targ2.gpj\t\t[Select One]\n\tind_targ3.gpj {selectone_optional}\n"
                         "ind_crt.c\n"},
                        {R"({root}\lib\ind_targ1.gpj)", "-DTARG1\ntarg1.c\n"},
                        {R"({root}\lib\ind_crt.c)", ""},
                        {R"({root}\lib\targ1.c)", ""}});
  step.output = progressBelowSharedTop("libind", "ind_targ1");
  step.expectedFiles = {{R"({root}\out\demo.prj)",
                         crlf(join({{"VersionTag45"},
                                    sharedBlock("libind", R"({root}\lib)"),
                                    {R"({root}\lib\ind_crt.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
                                    block(R"(libind\ind_targ1)", R"({root}\lib)", R"(libind\ind_targ1)"),
                                    {R"({root}\lib\targ1.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
                        {personality(R"(libind\ind_targ1)"), crlf({R"(-d "TARG1")"})}};
  return {"SelectOneOptional", {step}};
}

}  // namespace

std::vector<Case> conditionCases() {
  return {vendorLoader(), ideConfigurations(), unknownConfiguration(), cmakeComments(), selectOneOptional()};
}

}  // namespace kalvex::e2e
