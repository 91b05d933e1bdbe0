// Option lines as vendors' loaders and hand-written trees write them: several options on one
// line, defines whose values name macros and environment variables, and "import" lines.
#include "dialect_tree.h"

namespace kalvex::e2e {
namespace {

using namespace dialect;

Case vendorOptionLines() {
  Step step = demoStep(R"({root}\v\loader.gpj)",
                       {{R"({root}\v\loader.gpj)",
                         "#!gbuild\nimport KALVEX_E2E_ROOT\nimport KALVEX_E2E_NOT_SET\nmacro V=2.1\n"
                         "\t-DEMBEDDED :select=ppc :select=cxx\n\t-DA=1U -DB=1U\n\t-D NAME -I \"my dir\"\n"
                         "\t:postexec=\"gsrec -S3 x.elf\" -DAFTER_POSTEXEC\n\t-DVER=$(V) -DTOOLS=${KALVEX_E2E_TOOLS}\n"
                         "\t-D\"Q=1\" -DS=\"a b\"\n\t-I$(KALVEX_E2E_ROOT)/inc -I$(KALVEX_E2E_NOT_SET)/inc\n"
                         "\t-DLEFT=$(NOPE)\n\t:sourceDir=src -DSRC\nmain.c\n"},
                        {R"({root}\v\src\main.c)", ""}});
  step.environment = {{"KALVEX_E2E_ROOT", R"({root}\kit)"}, {"KALVEX_E2E_TOOLS", "ghs 2024"}};
  step.output = progress({"loader"});
  step.expectedFiles = {
      {R"({root}\out\demo.prj)", crlf(join({{"VersionTag45"},
                                            block("loader", R"({root}\v)", "loader"),
                                            {R"({root}\v\src\main.c)", "EndContainedFilesMarker"}}))},
      {personality("loader"),
       crlf({R"(-i "{root}\v\my dir")", R"(-i "{root}\kit\inc")", R"(-i "$(KALVEX_E2E_NOT_SET)\inc")", R"(-d "A=1U")",
             R"(-d "AFTER_POSTEXEC")", R"(-d "B=1U")", R"(-d "EMBEDDED")", R"x(-d "LEFT=$(NOPE)")x", R"(-d "NAME")",
             R"(-d "Q=1")", R"(-d "S="a b"")", R"(-d "SRC")", R"(-d "TOOLS=ghs 2024")", R"(-d "VER=2.1")"})}};
  return {"VendorOptionLines", {step}};
}

}  // namespace

std::vector<Case> vendorOptionCases() { return {vendorOptionLines()}; }

}  // namespace kalvex::e2e
