// Trees none of the first fixtures were made from: a generated multi-core project, an RTOS
// kernel project, a hand-written loader, a tree the IDE made on Windows, and a quoted macro
// value. Each converts into {root}\out.
#include "dialect_tree.h"

namespace kalvex::e2e {
namespace {

using namespace dialect;

// Windows finds names in any letter case and keeps them as written; on POSIX Kalvex looks
// them up the same way and keeps them as they are on disk.
#ifdef _WIN32
const char* onDisk(const char*, const char* asWritten) { return asWritten; }
#else
const char* onDisk(const char* spelledOnDisk, const char*) { return spelledOnDisk; }
#endif

// Most options in options files of a sub-folder, one of them missing; a builder-option macro
// made absolute with expand_path; CR LF; relocatable-object sub-projects.
Case generatedMultiCoreProject() {
  const std::string core = "#!gbuild\r\n[Relocatable Object]\r\n\t:optionsFile=../opt/core.opt\r\n";
  Step step = demoStep(
      R"({root}\gen\ecu.gpj)",
      {{R"({root}\gen\ecu.gpj)",
        crlf({"#!gbuild", "[Project]", "\t:macro=CFG=${%expand_path(./config)}", "\t:optionsFile=opt/common.opt",
              "\t:optionsFile=opt/missing.opt", "core0\\core0.gpj\t\t[Relocatable Object]",
              "core1\\core1.gpj\t\t[Relocatable Object]"})},
       {R"({root}\gen\opt\common.opt)",
        crlf({"#!gbuild", "[Options File]", "\t-I${CFG}/inc", "\t-Ibsw/include", "\t-DECU_MULTICORE"})},
       {R"({root}\gen\opt\core.opt)", crlf({"-I../os/inc", "Os_Hooks.c", "hooks.gpj"})},
       {R"({root}\gen\core0\core0.gpj)", core + "\t-DCORE_ID=0\r\nOs_Core0.c\r\n"},
       {R"({root}\gen\core1\core1.gpj)", core + "\t-DCORE_ID=1\r\nOs_Core1.c\r\n"},
       {R"({root}\gen\core0\Os_Core0.c)", ""}});
  const std::vector<std::string> includes = {R"(-i "{root}\gen\config\inc")", R"(-i "{root}\gen\bsw\include")"};
  auto coreIncludes = [&](const std::string& name) {
    return join({{R"(-i "{root}\gen\)" + name + R"(\..\os\inc")"}, includes});
  };
  step.output = progress({"ecu", R"(ecu\core0)", R"(ecu\core1)"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join({{"VersionTag45"},
                  block("ecu", R"({root}\gen)", "ecu"),
                  {"EndContainedFilesMarker", "StartSubProjectMarker"},
                  block("core0", R"({root}\gen\core0)", R"(ecu\core0)"),
                  {R"({root}\gen\core0\Os_Core0.c)", "EndContainedFilesMarker"},
                  block("core1", R"({root}\gen\core1)", R"(ecu\core1)"),
                  {R"({root}\gen\core1\Os_Core1.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {personality("ecu"), crlf(join({includes, {R"(-d "ECU_MULTICORE")"}}))},
      {personality(R"(ecu\core0)"),
       crlf(join({coreIncludes("core0"), {R"(-d "CORE_ID=0")", R"(-d "ECU_MULTICORE")"}}))},
      {personality(R"(ecu\core1)"),
       crlf(join({coreIncludes("core1"), {R"(-d "CORE_ID=1")", R"(-d "ECU_MULTICORE")"}}))}};
  return {"GeneratedMultiCoreProject", {step}};
}

// A macro whose value names two others, an options file named through macros, INTEGRITY
// application entries.
Case rtosKernelProject() {
  Step step = demoStep(
      R"({root}\rtos\kernel.gpj)",
      {{R"({root}\rtos\kernel.gpj)",
        "#!gbuild\n[Project]\nmacro OS_DIR=..\\int\nmacro BSP_NAME=rh850\nmacro BSP_DIR=$OS_DIR/$BSP_NAME\n"
        "\t:optionsFile=$(OS_DIR)/target/$(BSP_NAME).opt\n$BSP_DIR/bsp.gpj\t[Library]\n"
        "app\\app.gpj\t[INTEGRITY Application]\nkernel.c\n"},
       {R"({root}\int\target\rh850.opt)", "-I$(OS_DIR)/INTEGRITY-include\n-I$BSP_DIR\n-DINTEGRITY\n"},
       {R"({root}\int\rh850\bsp.gpj)", "[Library]\nbsp_init.c\n"},
       {R"({root}\int\rh850\bsp_init.c)", ""},
       {R"({root}\rtos\app\app.gpj)", "[INTEGRITY Application]\n-DAPP_TASKS=4\nmain.c\n"},
       {R"({root}\rtos\kernel.c)", ""}});
  const std::string os = R"({root}\rtos\..\int)";
  const std::vector<std::string> options = {R"(-i ")" + os + R"(\INTEGRITY-include")", R"(-i ")" + os + R"(\rh850")",
                                            R"(-d "INTEGRITY")"};
  step.output = progress({"kernel", R"(kernel\bsp)", R"(kernel\app)"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join({{"VersionTag45"},
                  block("kernel", R"({root}\rtos)", "kernel"),
                  {R"({root}\rtos\kernel.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
                  block("bsp", os + R"(\rh850)", R"(kernel\bsp)"),
                  {os + R"(\rh850\bsp_init.c)", "EndContainedFilesMarker"},
                  block("app", R"({root}\rtos\app)", R"(kernel\app)"),
                  {R"({root}\rtos\app\main.c)", "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {personality("kernel"), crlf(options)},
      {personality(R"(kernel\bsp)"), crlf(options)},
      {personality(R"(kernel\app)"), crlf({options[0], options[1], R"(-d "APP_TASKS=4")", options[2]})}};
  return {"RtosKernelProject", {step}};
}

// A top folder from expand_path, a bare reference ending at "/", a macro within a path.
Case handWrittenLoader() {
  Step step = demoStep(R"({root}\hw\boards\s32\loader\loader.gpj)",
                       {{R"({root}\hw\boards\s32\loader\loader.gpj)",
                         "macro TOP=%expand_path(../../..)\nmacro MICON=RH850\n-I$TOP/bsw/include\n"
                         "$TOP/bsw/can/can.gpj\t[Library]\nloader.c\n"},
                        {R"({root}\hw\bsw\can\can.gpj)", "can.c\n../cfg/$MICON/can_cfg.c\n"},
                        {R"({root}\hw\bsw\cfg\RH850\can_cfg.c)", ""}});
  const std::string top = R"({root}\hw\boards\s32\loader\..\..\..)";
  const std::string include = R"(-i ")" + top + R"(\bsw\include")";
  step.output = progress({"loader", R"(loader\can)"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join({{"VersionTag45"},
                  block("loader", R"({root}\hw\boards\s32\loader)", "loader"),
                  {R"({root}\hw\boards\s32\loader\loader.c)", "EndContainedFilesMarker", "StartSubProjectMarker"},
                  block("can", top + R"(\bsw\can)", R"(loader\can)"),
                  {top + R"(\bsw\can\can.c)", top + R"(\bsw\can\..\cfg\RH850\can_cfg.c)", "EndContainedFilesMarker",
                   "EndSubProjectMarker"}}))},
      {personality("loader"), crlf({include})},
      {personality(R"(loader\can)"), crlf({include})}};
  return {"HandWrittenLoader", {step}};
}

// Sub-project and source names in another letter case than the files, "-I.\BSW\...", and a
// last line without a line feed.
Case windowsIdeTree() {
  Step step = demoStep(R"({root}\win\Project.gpj)",
                       {{R"({root}\win\Project.gpj)",
                         "#!gbuild\n[Project]\n\t-I.\\BSW\\Include\nStartUp\\StartUp.gpj\t\t[Program]\n"
                         "APP\\App.gpj\t\t[Program]"},
                        {R"({root}\win\Startup\Startup.gpj)", "STARTUP.c\nVectors.c\ngone.c\n"},
                        {R"({root}\win\Startup\startup.c)", ""},
                        {R"({root}\win\Startup\vectors.c)", ""},
                        {R"({root}\win\App\app.gpj)", "Main.c\n-DAPP"},
                        {R"({root}\win\App\main.c)", ""}});
  const std::string startup = onDisk("Startup", "StartUp");
  const std::string app = onDisk("app", "App");
  const std::string source = R"({root}\win\)" + startup + "\\";
  const std::string appSource = std::string(R"({root}\win\)") + onDisk("App", "APP");
  const std::string include = R"(-i "{root}\win\.\BSW\Include")";
  step.output = progress({"Project", "Project\\" + startup, "Project\\" + app});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)",
       crlf(join({{"VersionTag45"},
                  block("Project", R"({root}\win)", "Project"),
                  {"EndContainedFilesMarker", "StartSubProjectMarker"},
                  block(startup, R"({root}\win\)" + startup, "Project\\" + startup),
                  {source + onDisk("startup.c", "STARTUP.c"), source + onDisk("vectors.c", "Vectors.c"),
                   source + "gone.c", "EndContainedFilesMarker"},
                  block(app, appSource, "Project\\" + app),
                  {appSource + "\\" + onDisk("main.c", "Main.c"), "EndContainedFilesMarker", "EndSubProjectMarker"}}))},
      {personality("Project"), crlf({include})},
      {personality("Project\\" + startup), crlf({include})},
      {personality("Project\\" + app), crlf({include, R"(-d "APP")"})}};
  return {"WindowsIdeTree", {step}};
}

// The quotes of a macro value stay out of the folder it names.
Case quotedMacroValue() {
  Step step = demoStep(
      R"({root}\hse\top.gpj)",
      {{R"({root}\hse\top.gpj)", "macro VARIANT=\"hse_h\"\n-Ifw/${VARIANT}/\n-Ifw/$(VARIANT)/inc\nhse.c\n"}});
  step.output = progress({"top"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)", crlf(join({{"VersionTag45"},
                                            block("top", R"({root}\hse)", "top"),
                                            {R"({root}\hse\hse.c)", "EndContainedFilesMarker"}}))},
      {personality("top"), crlf({R"(-i "{root}\hse\fw\hse_h\")", R"(-i "{root}\hse\fw\hse_h\inc")"})}};
  return {"QuotedMacroValue", {step}};
}

}  // namespace

std::vector<Case> generatedAndPortedCases() {
  return {generatedMultiCoreProject(), rtosKernelProject(), handWrittenLoader(), windowsIdeTree(), quotedMacroValue()};
}

}  // namespace kalvex::e2e
