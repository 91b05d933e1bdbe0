#include "e2e_case.h"

namespace kalvex::e2e {
namespace {

const std::string kCompiler = R"({root}\cfg\ghs.p_c)";
const std::string kStart = "Creating Zintra/Zintra++ Project ...";

// A top project {root}\w\top.gpj converted into {root}\out, which exists.
Step topInto(const std::string& projectText) {
  Step step;
  step.folders = {R"({root}\out)"};
  step.files = {{R"({root}\w\top.gpj)", projectText}, {kCompiler, ""}};
  step.words = {R"({root}\w\top.gpj)", R"({root}\out)", "-cp", kCompiler};
  step.exitStatus = 1;
  return step;
}

Case missingTopFile() {
  Step step = topInto("main.c\n");
  step.words[0] = R"({root}\w\none.gpj)";
  step.output = lf({R"(Could not open file: {root}\w\none.gpj)"});
  step.emptyFolders = {R"({root}\out)"};
  return {"MissingTopFile", {step}};
}

Case missingSubProject() {
  Step step = topInto("main.c\nnothere\\sub.gpj\n");
  step.output = lf({R"(Could not open file: {root}\w\nothere\sub.gpj)"});
  step.emptyFolders = {R"({root}\out)"};
  return {"MissingSubProjectLeavesTheDestinationUntouched", {step}};
}

Case missingDestination() {
  Step step = topInto("main.c\n");
  step.words[1] = R"({root}\nodest)";
  step.output = lf({R"(Could not write file: {root}\nodest\top.prj)"});
  step.expectedFiles = {{R"({root}\nodest)", std::nullopt}};
  return {"MissingDestinationFolder", {step}};
}

// A file where the root's folder belongs: the folder test passes, its "output" cannot be made.
Case uncreatableFolder() {
  Step step = topInto("main.c\n");
  step.files.push_back({R"({root}\out\top)", "in the way\n"});
  step.output = lf({kStart, R"(Could not create directory: {root}\out\top\output\)"});
  step.expectedFiles = {{R"({root}\out\top.prj)", crlf({"VersionTag45"})}};
  return {"UncreatableFolder", {step}};
}

// A folder stands where the group personality is to be written.
Case unwritablePersonality() {
  Step step = topInto("-DX\nmain.c\n");
  step.folders.push_back(R"({root}\out\top\person\top.p_a)");
  step.output = lf({kStart, "  Creating Group - top",
                    R"(  Creating Analyser Personality - {root}\out\top\person\top.p_a)",
                    R"(Could not write file: {root}\out\top\person\top.p_a)"});
  step.expectedFiles = {
      {R"({root}\out\top.prj)", crlf({"VersionTag45", "StartProjectMarker", "FolderName=top", R"(SourcePath={root}\w)",
                                      R"(OutputPath={root}\out\top\output\)", R"(SubsPers={root}\out\person\top.p_s)",
                                      R"(AnalPers={root}\out\top\person\top.p_a)"})}};
  return {"UnwritablePersonality", {step}};
}

Case fullDisk() {
  Step step = topInto("main.c\n");
  step.fullDeviceLinks = {R"({root}\out\top.prj)"};
  step.output = lf({kStart, R"(Could not write file: {root}\out\top.prj)"});
  return {"FullDisk", {step}};
}

Case subProjectLoop() {
  Step step = topInto("main.c\na\\a.gpj\n");
  step.files.push_back({R"({root}\w\a\a.gpj)", "a.c\n..\\top.gpj\n"});
  step.output = lf({R"(Sub-project loop: {root}\w\a\..\top.gpj)"});
  step.emptyFolders = {R"({root}\out)"};
  return {"SubProjectLoop", {step}};
}

// Files named "...gpj" give groups named "..": two of them nested climb out of the destination.
Case nameEscapingTheDestination() {
  Step step = topInto("");
  step.files = {{R"({root}\w\p\top.gpj)", "main.c\na\\...gpj\n"},
                {R"({root}\w\p\a\...gpj)", "..\\b\\...gpj\n"},
                {R"({root}\w\p\b\...gpj)", "evil.c\n"},
                {kCompiler, ""}};
  step.words[0] = R"({root}\w\p\top.gpj)";
  step.output = lf({R"(Could not create directory: {root}\out\top\..\..)"});
  step.emptyFolders = {R"({root}\out)"};
  return {"NameEscapingTheDestination", {step}};
}

}  // namespace

std::vector<Case> failureCases() {
  return {missingTopFile(),        missingSubProject(), missingDestination(), uncreatableFolder(),
          unwritablePersonality(), fullDisk(),          subProjectLoop(),     nameEscapingTheDestination()};
}

}  // namespace kalvex::e2e
