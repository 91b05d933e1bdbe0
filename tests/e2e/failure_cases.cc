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

const std::string kDone = "Zintra/Zintra++ Project Completed!";

// A good conversion of "main.c" into {root}\out, which the failing run after it must leave as
// it is.
Step goodRun() {
  Step step = topInto("main.c\n");
  step.exitStatus = 0;
  step.output = lf({kStart, "  Creating Group - top", kDone});
  step.expectedFiles = {{R"({root}\out\top.prj)",
                         crlf(join({{"VersionTag45"},
                                    blockHead("top", R"({root}\w)", R"({root}\out\top)", R"({root}\out\person\top.p_s)",
                                              R"({root}\out\person\top.p_a)", kCompiler),
                                    {R"({root}\w\main.c)", "EndContainedFilesMarker"}}))}};
  return step;
}

// The second run of a case: its failure leaves every file of the first as it was.
Step failingRerun(const std::string& projectText) {
  Step step = topInto(projectText);
  step.unchangedFolder = R"({root}\out)";
  return step;
}

// A file stands where a new sub-project's folder goes: its "output" cannot be made.
Case uncreatableFolder() {
  Step step = failingRerun("main.c\na\\a.gpj\n");
  step.files.push_back({R"({root}\w\a\a.gpj)", "b.c\n"});
  step.files.push_back({R"({root}\out\top\a)", "in the way\n"});
  step.output = lf({kStart, "  Creating Group - top", R"(Could not create directory: {root}\out\top\a\output\)"});
  return {"UncreatableFolder", {goodRun(), step}};
}

// A folder stands where the group personality goes: it cannot be replaced, and the files moved
// before it are put back.
Case unwritablePersonality() {
  Step step = failingRerun("-DX\nmain.c\n");
  step.folders.push_back(R"({root}\out\top\person\top.p_a)");
  step.output = lf({kStart, "  Creating Group - top",
                    R"(  Creating Analyser Personality - {root}\out\top\person\top.p_a)",
                    R"(Could not write file: {root}\out\top\person\top.p_a)"});
  return {"UnwritablePersonality", {goodRun(), step}};
}

// A target that is a link to a device is replaced by the new file, not written through.
Case linkedTarget() {
  Step step = goodRun();
  step.fullDeviceLinks = {R"({root}\out\top.prj)"};
  return {"ALinkedTargetIsReplaced", {step}};
}

// A project name that climbs out of the destination is refused before anything is made.
Case projectNameOutside() {
  Step step = topInto("main.c\n");
  step.words.insert(step.words.end(), {"-pn", R"(..\x)"});
  step.output = lf({R"(Could not create directory: {root}\out\..\x.prj)"});
  step.emptyFolders = {R"({root}\out)"};
  step.expectedFiles = {{R"({root}\x.prj)", std::nullopt}};
  return {"ProjectNameOutsideTheDestination", {step}};
}

// Outputs never replace an input nor each other.
Case outputOnAnInput() {
  Step step = failingRerun("main.c\n");
  step.words.insert(step.words.end(), {"-cdb", R"({root}\w\top.gpj)"});
  step.output = lf({kStart, "  Creating Group - top", R"(Could not write file: {root}\w\top.gpj)"});
  step.expectedFiles = {{R"({root}\w\top.gpj)", "main.c\n"}};
  Step shared = failingRerun("main.c\n");
  shared.words.insert(shared.words.end(), {"-report", R"({root}\r.txt)", "-cdb", R"(w\..\r.txt)"});
  shared.output = lf({R"(Could not write file: {root}\w\..\r.txt)"});
  shared.expectedFiles = {{R"({root}\r.txt)", std::nullopt}};
  Step personality = failingRerun("main.c\n");
  personality.words.insert(personality.words.end(), {"-report", kCompiler});
  personality.files.back().second = "-I inc\n";
  personality.output = lf({kStart, "  Creating Group - top", R"(Could not write file: {root}\cfg\ghs.p_c)"});
  personality.expectedFiles = {{kCompiler, "-I inc\n"}};
  return {"AnOutputOnAnInputIsRefused", {goodRun(), step, shared, personality}};
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
  return {
      missingTopFile(), missingSubProject(),  missingDestination(), uncreatableFolder(), unwritablePersonality(),
      linkedTarget(),   projectNameOutside(), outputOnAnInput(),    subProjectLoop(),    nameEscapingTheDestination()};
}

}  // namespace kalvex::e2e
