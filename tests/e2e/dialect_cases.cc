// Small project trees as they are really written: by the IDE, by hand for several cores, with
// forward slashes, and with the quirks people's files carry. Each converts into {root}\out.
#include "dialect_tree.h"

namespace kalvex::e2e {
namespace {

using namespace dialect;

// Option groups, a tab before the type, paths up out of the project, linker files.
Case ideProject() {
  Step step = demoStep(
      R"({root}\ws\proj\default.gpj)",
      {{R"({root}\ws\proj\default.gpj)",
        "#!gbuild\nprimaryTarget=arm_standalone.tgt\n[Project]\n\t-bsp generic\n\t-G\n"
        "\t{optgroup=GhsCommonOptions} -I..\\..\\common\\inc\n\t{optgroup=GhsCommonOptions} -DBOARD=2\n"
        "\t:sourceDir=..\\..\\common\\src\napp\\app.gpj\t\t[Program]\nlib\\lib.gpj\t\t[Library]\n"
        "resources.con\nflash.ld\n"},
       {R"({root}\ws\proj\app\app.gpj)",
        "#!gbuild\n[Program]\n\t-object_dir=objs\n\t-DAPP\nmain.c\n..\\..\\common\\src\\x.c\napp.ld\n"},
       {R"({root}\ws\proj\app\main.c)", ""},
       {R"({root}\ws\common\src\x.c)", ""},
       {R"({root}\ws\proj\lib\lib.gpj)", "#!gbuild\n[Library]\n\t-DLIB_VERSION=3\nuart.c\nspi.cpp\nuart.h\n"}});
  const std::string include = R"(-i "{root}\ws\proj\..\..\common\inc")";
  step.output = progress({"default", R"(default\app)", R"(default\lib)"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)", crlf(join({{"VersionTag45"},
                                            block("default", R"({root}\ws\proj)", "default"),
                                            {"EndContainedFilesMarker", "StartSubProjectMarker"},
                                            block(R"(default\app)", R"({root}\ws\proj\app)", R"(default\app)"),
                                            {R"({root}\ws\proj\app\main.c)",
                                             R"({root}\ws\proj\app\..\..\common\src\x.c)", "EndContainedFilesMarker"},
                                            block(R"(default\lib)", R"({root}\ws\proj\lib)", R"(default\lib)"),
                                            {R"({root}\ws\proj\lib\uart.c)", R"({root}\ws\proj\lib\spi.cpp)",
                                             "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {personality("default"), crlf({include, R"(-d "BOARD=2")"})},
      {personality(R"(default\app)"), crlf({include, R"(-d "APP")", R"(-d "BOARD=2")"})},
      {personality(R"(default\lib)"), crlf({include, R"(-d "BOARD=2")", R"(-d "LIB_VERSION=3")"})}};
  return {"IdeProject", {step}};
}

// Each core's file sets targetCore and names the shared file, whose sub-projects depend on it.
Case multiCoreProject() {
  const std::string shared =
      "os.c\n{streq(targetCore,pe0)} ui/ui.gpj\n{streq(targetCore,pe1)} eth\\eth.gpj\n"
      "{!streq(targetCore,pe0)} -DSECONDARY\n";
  Step step = demoStep(
      R"({root}\mc\top.gpj)",
      {{R"({root}\mc\top.gpj)", "macro SHARED=shared\n-DMULTICORE\npe0\\pe0.gpj\npe1\\pe1.gpj\n"},
       {R"({root}\mc\pe0\pe0.gpj)", "macro targetCore=pe0\n-DCORE_ID=0\nstart0.c\n$(SHARED)\\common.gpj\n"},
       {R"({root}\mc\pe1\pe1.gpj)", "macro targetCore=pe1\n-DCORE_ID=1\nstart1.c\n$(SHARED)\\common.gpj\n"},
       {R"({root}\mc\shared\common.gpj)", shared},
       {R"({root}\mc\shared\ui\ui.gpj)", "ui.c\n"},
       {R"({root}\mc\shared\eth\eth.gpj)", "eth.c\n"}});
  step.output = progress({"top", R"(top\pe0)", R"(top\pe0\common)", R"(top\pe0\common\ui)", R"(top\pe1)",
                          R"(top\pe1\common)", R"(top\pe1\common\eth)"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join(
           {{"VersionTag45"},
            block("top", R"({root}\mc)", "top"),
            {"EndContainedFilesMarker", "StartSubProjectMarker"},
            block("pe0", R"({root}\mc\pe0)", R"(top\pe0)"),
            {R"({root}\mc\pe0\start0.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
            block("common", R"({root}\mc\shared)", R"(top\pe0\common)"),
            {R"({root}\mc\shared\os.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
            block("ui", R"({root}\mc\shared\ui)", R"(top\pe0\common\ui)"),
            {R"({root}\mc\shared\ui\ui.c)", "EndContainedFilesMarker", "EndSubProjectMarker", "EndSubProjectMarker"},
            block("pe1", R"({root}\mc\pe1)", R"(top\pe1)"),
            {R"({root}\mc\pe1\start1.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
            block("common", R"({root}\mc\shared)", R"(top\pe1\common)"),
            {R"({root}\mc\shared\os.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
            block("eth", R"({root}\mc\shared\eth)", R"(top\pe1\common\eth)"),
            {R"({root}\mc\shared\eth\eth.c)", "EndContainedFilesMarker", "EndSubProjectMarker", "EndSubProjectMarker",
             "EndSubProjectMarker"}}))},
      {personality(R"(top\pe0\common\ui)"), crlf({R"(-d "CORE_ID=0")", R"(-d "MULTICORE")"})},
      {personality(R"(top\pe1\common)"), crlf({R"(-d "CORE_ID=1")", R"(-d "MULTICORE")", R"(-d "SECONDARY")"})},
      {personality(R"(top\pe1\common\eth)"), crlf({R"(-d "CORE_ID=1")", R"(-d "MULTICORE")", R"(-d "SECONDARY")"})}};
  return {"MultiCoreProject", {step}};
}

// Forward slashes and ".." in every kind of path.
Case forwardSlashProject() {
  Step step = demoStep(
      R"({root}\fw\build\top.gpj)",
      {{R"({root}\fw\build\top.gpj)",
        ":sourceDir=../src\n-I../include\n-I../include/.\n-I..\nboot.c\n../src/app/app.gpj\n./../src/drv/drv.gpj\n"},
       {R"({root}\fw\src\boot.c)", ""},
       {R"({root}\fw\src\app\app.gpj)", "main.c\n../common/util.c\n"},
       {R"({root}\fw\src\drv\drv.gpj)", "-I./regs\nuart.c\nsub/spi.c\n"}});
  const std::vector<std::string> includes = {R"(-i "{root}\fw\build\..\include")", R"(-i "{root}\fw\build\..")"};
  step.output = progress({"top", R"(top\app)", R"(top\drv)"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join({{"VersionTag45"},
                  block("top", R"({root}\fw\build)", "top"),
                  {R"({root}\fw\build\..\src\boot.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
                  block("app", R"({root}\fw\build\..\src\app)", R"(top\app)"),
                  {R"({root}\fw\build\..\src\app\main.c)", R"({root}\fw\build\..\src\app\..\common\util.c)",
                   "EndContainedFilesMarker"},
                  block("drv", R"({root}\fw\build\.\..\src\drv)", R"(top\drv)"),
                  {R"({root}\fw\build\.\..\src\drv\uart.c)", R"({root}\fw\build\.\..\src\drv\sub\spi.c)",
                   "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {personality("top"), crlf(includes)},
      {personality(R"(top\drv)"), crlf({R"(-i "{root}\fw\build\.\..\src\drv\regs")", includes[0], includes[1]})}};
  return {"ForwardSlashProject", {step}};
}

// Quoted includes, "-D NAME", commented options after a tab, "${NAME}" from macros and the
// environment, absolute entries, optional sub-projects present and absent.
Case quirksProject() {
  Step step = demoStep(
      R"({root}\q\top.gpj)",
      {{R"({root}\q\top.gpj)",
        "-I\"vendor inc\"\n-I'local'\n-D NAME\n-D  VALUE=2\n\t#-I..\\old\n\t#-DOLD\n"
        "{isdefined(KALVEX_E2E_BOARD)} -DBOARD_SET\n{isundefined(KALVEX_E2E_BOARD)} -DBOARD_UNSET\n"
        "{isdefined(KALVEX_E2E_NOPE)} nope.c\n-I${KALVEX_E2E_SDK}\\include\nmacro LIBDIR=lib\n"
        "main.c\t-DPER_FILE\n\"my file.c\"\n$(LIBDIR)\\extra.c\n${LIBDIR}/lib.gpj\n{root}\\q\\abs\\abs.gpj\n"
        "{optional} missing\\missing.gpj\nopt\\opt.gpj {optional}\n"},
       {R"({root}\q\lib\lib.gpj)", "lib.c\n"},
       {R"({root}\q\abs\abs.gpj)", "abs.c\n"},
       {R"({root}\q\opt\opt.gpj)", "opt.c\n"}});
  step.environment = {{"KALVEX_E2E_BOARD", "1"}, {"KALVEX_E2E_SDK", R"({root}\q\sdk)"}};
  const std::vector<std::string> options = {
      R"(-i "{root}\q\vendor inc")", R"(-i "{root}\q\local")", R"(-i "{root}\q\sdk\include")",
      R"(-d "BOARD_SET")",           R"(-d "NAME")",           R"(-d "VALUE=2")"};
  step.output = progress({"top", R"(top\lib)", R"(top\abs)", R"(top\opt)"});
  step.expectedFiles = {{R"({root}\out\demo.prj)",
                         crlf(join({{"VersionTag45"},
                                    block("top", R"({root}\q)", "top"),
                                    {R"({root}\q\main.c)", R"({root}\q\my file.c)", R"({root}\q\lib\extra.c)",
                                     "EndContainedFilesMarker", "StartSubProjectMarker"},
                                    block("lib", R"({root}\q\lib)", R"(top\lib)"),
                                    {R"({root}\q\lib\lib.c)", "EndContainedFilesMarker"},
                                    block("abs", R"({root}\q\abs)", R"(top\abs)"),
                                    {R"({root}\q\abs\abs.c)", "EndContainedFilesMarker"},
                                    block("opt", R"({root}\q\opt)", R"(top\opt)"),
                                    {R"({root}\q\opt\opt.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
                        {personality("top"), crlf(options)},
                        {personality(R"(top\opt)"), crlf(options)}};
  return {"QuirksProject", {step}};
}

}  // namespace

std::vector<Case> dialectCases() {
  std::vector<Case> cases{ideProject(), multiCoreProject(), forwardSlashProject(), quirksProject()};
  for (Case& c : generatedAndPortedCases()) cases.push_back(std::move(c));
  for (Case& c : vendorOptionCases()) cases.push_back(std::move(c));
  for (Case& c : conditionCases()) cases.push_back(std::move(c));
  return cases;
}

}  // namespace kalvex::e2e
