#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>

#include "errors.h"
#include "reader_fixture.h"

namespace kalvex {
namespace {

using testing::gpjFile;

using ParserTest = testing::ReaderTest;

// Runs work on a thread whose stack is far smaller than the main thread's, so that a walk
// that recursed once per nesting level would overflow it.
void runOnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 512 * 1024);
  pthread_t thread;
  auto body = [](void* argument) -> void* {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, body, const_cast<std::function<void()>*>(&work)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

TEST_F(ParserTest, WorkedExample) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"#[TAB]comment", "[TAB]:sourceDir=src", "[TAB]-Iinc", "[TAB]-DDEBUG",
                                          "lib\\lib.gpj", "main.c", "readme.txt"}));
  host.addFile("C:\\w\\src\\main.c", "");
  host.addFile("C:\\w\\inc\\lib\\lib.gpj", gpjFile({"util.c", "-DLEVEL=2", "-I..\\common"}));
  host.addFile("C:\\w\\inc\\lib\\util.c", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  file C:\\w\\src\\main.c\n"
            "  include C:\\w\\inc\n"
            "  define DEBUG=\n"
            "  group lib\n"
            "    sourcePath C:\\w\\inc\\lib\n"
            "    file C:\\w\\inc\\lib\\util.c\n"
            "    include C:\\w\\inc\\lib\\..\\common\n"
            "    include C:\\w\\inc\n"
            "    define DEBUG=\n"
            "    define LEVEL=2\n");
  EXPECT_EQ(host.readsOpened(),
            (std::vector<std::string>{"C:\\w\\top.gpj", "C:\\w\\main.c", "C:\\w\\src\\main.c", "C:\\w\\lib\\lib.gpj",
                                      "C:\\w\\src\\lib\\lib.gpj", "C:\\w\\inc\\lib\\lib.gpj",
                                      "C:\\w\\inc\\lib\\lib.gpj", "C:\\w\\inc\\lib\\util.c"}));
  EXPECT_EQ(reader().currentPath(), "C:\\w\\inc\\lib\\lib.gpj");
}

TEST_F(ParserTest, TheFirstMatchingRuleDecides) {
  host.addFile("C:\\w\\top.gpj",
               gpjFile({"[SP]#x.c", "foo.h", "macros.c", "-Iinc.cfg", "-DNAME=x.c", "sub.gpj[TAB]x.c",
                        ":sourceDir=x.gpj", "x.gpj[SP]#[SP]old.c", "opt.gpj[SP]{optional}", "#-Icomment",
                        "[TAB]-I[SP]real", "-DA=B=C", "-D", "b.cpp", "", "-[SP]I", "macro[SP]M[SP]=[SP]..\\m.c"}));
  host.addFile("C:\\w\\sub.gpj", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  file C:\\w\\macros.c\n"
            "  file C:\\w\\b.cpp\n"
            "  include C:\\w\\inc.cfg\n"
            "  include C:\\w\\real\n"
            "  define =\n"
            "  define A=B=C\n"
            "  define NAME=x.c\n"
            "  group sub\n"
            "    sourcePath C:\\w\n"
            "    include C:\\w\\inc.cfg\n"
            "    include C:\\w\\real\n"
            "    define =\n"
            "    define A=B=C\n"
            "    define NAME=x.c\n");
  EXPECT_EQ(pathsTriedFor("none.c"), (std::vector<std::string>{"C:\\w\\none.c", "C:\\w\\x.gpj\\none.c"}))
      << "x.gpj is the one source directory";
  EXPECT_EQ(resolved("$(M)"), "C:\\w\\..\\m.c");
  EXPECT_EQ(resolved("$(macro)"), "$(macro)") << "the macro line defines M alone";
}

// Lines as real project files write them: brace groups first, comments and options after
// blanks, macros only at the start, quoted paths, a tab ending the file name.
TEST_F(ParserTest, RealLinesAreReadAsTheirAuthorsMeant) {
  host.setEnvironment({{"GHS_ENV", "1"}, {"SDK", "C:\\sdk"}});
  host.addFile("C:\\w\\top.gpj", gpjFile({"macro[SP]targetCore=pe0",
                                          "{optgroup=GhsCommonOptions}[SP]-DOPT",
                                          "{streq(targetCore,pe0)}[SP]pe0.c",
                                          "{streq(targetCore,pe1)}[SP]pe1.c",
                                          "{streq(later,yes)}[SP]early.c",
                                          "macro[SP]later=yes",
                                          "{isdefined(GHS_ENV)}{!isdefined(NOPE)}[SP]env.c",
                                          "{isundefined(GHS_ENV)}[SP]noenv.c",
                                          "[TAB]#-I..\\old",
                                          "[SP][TAB]-I\"C:\\Program[SP]Files\\inc\"",
                                          "-I'quoted[SP]dir'",
                                          "-D[SP][SP]NAME",
                                          "[TAB]-Iinc/.",
                                          "-I..",
                                          "-I${SDK}/include",
                                          "-Iinc.cfg",
                                          "-o[SP]x.c.o",
                                          ":depends=\"x.cmake\"",
                                          "{optional}[SP]missing.gpj",
                                          "gone.gpj[SP]{optional}",
                                          "{optional}[SP]here.gpj",
                                          "{[SP]unclosed[SP]x.c",
                                          "..\\..\\common\\src\\x.c[TAB]-DPER_FILE",
                                          "app.con",
                                          "x.cmake",
                                          "readme.c.txt",
                                          "gen/out.cc"}));
  host.addFile("C:\\w\\here.gpj", gpjFile({"{streq(targetCore,pe0)}[SP]core.c"}));
  readProject();
  const ProjectGroup& root = rootGroup();
  EXPECT_EQ(root.files, (std::vector<std::string>{"C:\\w\\pe0.c", "C:\\w\\env.c", "C:\\w\\{ unclosed x.c",
                                                  "C:\\w\\..\\..\\common\\src\\x.c", "C:\\w\\gen\\out.cc"}));
  EXPECT_EQ(root.includes(), (std::vector<std::string>{"C:\\Program Files\\inc", "C:\\w\\quoted dir", "C:\\w\\inc",
                                                       "C:\\w\\..", "C:\\sdk\\include", "C:\\w\\inc.cfg"}));
  EXPECT_EQ(root.defines(), (std::map<std::string, std::string>{{"NAME", ""}, {"OPT", ""}}));
  ASSERT_EQ(root.children().size(), 1u);
  const ProjectGroup& here = *root.children()[0];
  EXPECT_EQ(here.name(), "here");
  EXPECT_EQ(here.files, (std::vector<std::string>{"C:\\w\\core.c"}));
  EXPECT_EQ(here.includes(), root.includes());
  EXPECT_EQ(here.defines(), root.defines());
  EXPECT_EQ(resolved("x${targetCore}-${later}"), "C:\\w\\xpe0-yes");
}

// ".C" in capitals makes a source-file line too, and the extension list ignores case.
TEST_F(ParserTest, ExtensionListFiltersSourceFiles) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"a.c", "b.cpp", "C.C", "main.c[TAB]x", "d.h.c"}));
  readProject("C:\\w\\top.gpj", {"C"});
  EXPECT_EQ(rootGroup().files, (std::vector<std::string>{"C:\\w\\a.c", "C:\\w\\C.C", "C:\\w\\main.c", "C:\\w\\d.h.c"}));
}

TEST_F(ParserTest, IncludesAreKeptOnceAndOutOfTheCompilersButAlwaysSearched) {
  prepare().addCompilerInclude("C:\\w\\cc");
  host.addFile("C:\\w\\top.gpj", gpjFile({"-Ilib", "-Icc", "-I./lib", "-I[SP]lib", "-I..\\w\\lib", "child.gpj"}));
  host.addFile("C:\\w\\cc\\child.gpj", gpjFile({"-Ilib", "-I..\\lib", "-I..\\cc", "{optional}[SP]gone.gpj"}));
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  include C:\\w\\lib\n"
            "  include C:\\w\\..\\w\\lib\n"
            "  group child\n"
            "    sourcePath C:\\w\\cc\n"
            "    include C:\\w\\cc\\lib\n"
            "    include C:\\w\\cc\\..\\lib\n"
            "    include C:\\w\\cc\\..\\cc\n"
            "    include C:\\w\\lib\n"
            "    include C:\\w\\..\\w\\lib\n");
  const std::vector<std::string>& opened = host.readsOpened();
  ASSERT_GE(opened.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(opened.end() - 7, opened.end()),
            (std::vector<std::string>{"C:\\w\\cc\\gone.gpj", "C:\\w\\lib\\gone.gpj", "C:\\w\\cc\\gone.gpj",
                                      "C:\\w\\..\\w\\lib\\gone.gpj", "C:\\w\\cc\\lib\\gone.gpj",
                                      "C:\\w\\cc\\..\\lib\\gone.gpj", "C:\\w\\cc\\..\\cc\\gone.gpj"}))
      << "a sub-project is searched in every include directory once, compiler includes too";
}

TEST_F(ParserTest, ChildrenInheritTheParentsFinalDefinesAndIncludes) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"-DA=1", "a\\a.gpj", "-DB=2", "-Iinc", "top.c"}));
  host.addFile("C:\\w\\a\\a.gpj", gpjFile({"-DA=child", "g.gpj", "a.c"}));
  host.addFile("C:\\w\\a\\g.gpj", gpjFile({"-DC=3"}));
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  file C:\\w\\top.c\n"
            "  include C:\\w\\inc\n"
            "  define A=1\n"
            "  define B=2\n"
            "  group a\n"
            "    sourcePath C:\\w\\a\n"
            "    file C:\\w\\a\\a.c\n"
            "    include C:\\w\\inc\n"
            "    define A=child\n"
            "    define B=2\n"
            "    group g\n"
            "      sourcePath C:\\w\\a\n"
            "      include C:\\w\\inc\n"
            "      define A=child\n"
            "      define B=2\n"
            "      define C=3\n");
}

TEST_F(ParserTest, WalksDepthFirstAndReadsARepeatedSubProjectEachTime) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"a.gpj", "b.gpj", "a.gpj"}));
  host.addFile("C:\\w\\a.gpj", gpjFile({"-Ia", "c.gpj"}));
  host.addFile("C:\\w\\b.gpj", gpjFile({"c.gpj"}));
  host.addFile("C:\\w\\c.gpj", gpjFile({"c.c"}));
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  group a\n"
            "    sourcePath C:\\w\n"
            "    include C:\\w\\a\n"
            "    group c\n"
            "      sourcePath C:\\w\n"
            "      file C:\\w\\c.c\n"
            "      include C:\\w\\a\n"
            "  group b\n"
            "    sourcePath C:\\w\n"
            "    group c\n"
            "      sourcePath C:\\w\n"
            "      file C:\\w\\c.c\n"
            "  group a\n"
            "    sourcePath C:\\w\n"
            "    include C:\\w\\a\n"
            "    group c\n"
            "      sourcePath C:\\w\n"
            "      file C:\\w\\c.c\n"
            "      include C:\\w\\a\n");
}

TEST_F(ParserTest, MacrosAndSearchDirectoriesOfAFileServeEveryFileReadLater) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"$(M)\\p.c", "a\\a.gpj", "b.gpj", "$(M)\\q.c"}));
  host.addFile("C:\\w\\a\\a.gpj", gpjFile({"macro[SP]M=x", ":sourceDir=src", "-Ilibs"}));
  host.addFile("C:\\w\\b.gpj", gpjFile({"$(M)\\b.c", "s.c", "deep.gpj"}));
  host.addFile("C:\\w\\a\\src\\s.c", "");
  host.addFile("C:\\w\\a\\libs\\deep.gpj", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  file $(M)\\p.c\n"
            "  file $(M)\\q.c\n"
            "  group a\n"
            "    sourcePath C:\\w\\a\n"
            "    include C:\\w\\a\\libs\n"
            "  group b\n"
            "    sourcePath C:\\w\n"
            "    file C:\\w\\a\\x\\b.c\n"
            "    file C:\\w\\a\\src\\s.c\n"
            "    group deep\n"
            "      sourcePath C:\\w\\a\\libs\n");
}

TEST_F(ParserTest, SubProjectEntriesAreExpandedAbsoluteOrJoinedAndShortNamesStayWhole) {
  prepare();
  host.setEnvironment({{"BSP", "C:\\bsp"}});
  host.addFile("C:\\w\\top.gpj",
               gpjFile({":sourceDir=s1", ":sourceDir=s2", "macro[SP]M=C:\\m", "sub\\b.gpj", "ab[TAB]x.gpj",
                        "C:\\abs\\z.gpj", "$(M)\\m.gpj", "${BSP}/board/board.gpj", "/r/root.gpj", "ab[SP]x.gpj"}));
  host.addFile("C:\\w\\s2\\sub\\b.gpj", "");
  host.addFile("C:\\w\\ab", "");
  host.addFile("C:\\w\\s1\\C:\\abs\\z.gpj", "");
  host.addFile("C:\\abs\\z.gpj", "");
  host.addFile("C:\\m\\m.gpj", "");
  host.addFile("C:\\w\\$(M)\\m.gpj", "");
  host.addFile("C:\\bsp\\board\\board.gpj", "");
  host.addFile("\\r\\root.gpj", "");
  host.addFile("C:\\w\\ab x.gpj", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  group b\n"
            "    sourcePath C:\\w\\s2\\sub\n"
            "  group ab\n"
            "    sourcePath C:\\w\n"
            "  group z\n"
            "    sourcePath C:\\abs\n"
            "  group m\n"
            "    sourcePath C:\\m\n"
            "  group board\n"
            "    sourcePath C:\\bsp\\board\n"
            "  group root\n"
            "    sourcePath \\r\n"
            "  group ab x\n"
            "    sourcePath C:\\w\n");
}

TEST_F(ParserTest, AMissingSubProjectFailsOnItsFirstCandidateAfterItsGroupIsMade) {
  host.addFile("C:\\w\\top.gpj", gpjFile({":sourceDir=src", "-Iinc", "ok.gpj", "lib\\lib.gpj", "never.gpj"}));
  host.addFile("C:\\w\\ok.gpj", "");
  host.addFile("C:\\w\\never.gpj", "");
  host.addDirectory("C:\\w\\src\\lib\\lib.gpj");
  EXPECT_EQ(failingRead(AsciiReaderError::kCannotOpen), "C:\\w\\lib\\lib.gpj");
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  include C:\\w\\inc\n"
            "  group ok\n"
            "    sourcePath C:\\w\n"
            "    include C:\\w\\inc\n"
            "  group lib\n"
            "    sourcePath C:\\w\\lib\n"
            "    include C:\\w\\inc\n");
}

TEST_F(ParserTest, AFolderIsPassedOverForTheNextCandidate) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"-Iinc", "lib.gpj"}));
  host.addDirectory("C:\\w\\lib.gpj");
  host.addFile("C:\\w\\inc\\lib.gpj", "");
  readProject();
  EXPECT_EQ(rootGroup().children().at(0)->sourcePath, "C:\\w\\inc");
}

TEST_F(ParserTest, AMissingTopFileFails) {
  EXPECT_EQ(failingRead(AsciiReaderError::kCannotOpen), "C:\\w\\top.gpj");
  host.addDirectory("C:\\w\\dir.gpj");
  EXPECT_EQ(failingRead(AsciiReaderError::kCannotOpen, "C:\\w\\dir.gpj"), "C:\\w\\dir.gpj");
}

TEST_F(ParserTest, AFileReadFurtherUpTheChainIsALoopHoweverItIsSpelled) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"a\\a.gpj"}));
  host.addFile("C:\\w\\a\\a.gpj", gpjFile({"b.gpj"}));
  host.addFile("C:\\w\\a\\b.gpj", gpjFile({"..\\.\\top.gpj"}));
  EXPECT_EQ(failingRead(AsciiReaderError::kSubProjectLoop), "C:\\w\\a\\..\\.\\top.gpj");

  host.addFile("C:\\w\\self.gpj", gpjFile({"x.c", "self.gpj"}));
  prepare("C:\\w\\self.gpj");
  EXPECT_EQ(failingRead(AsciiReaderError::kSubProjectLoop, "C:\\w\\self.gpj"), "C:\\w\\self.gpj");
  EXPECT_EQ(tree(),
            "group self\n"
            "  sourcePath C:\\w\n"
            "  file C:\\w\\x.c\n"
            "  group self\n"
            "    sourcePath C:\\w\n");
}

TEST_F(ParserTest, TheSameFileOnTwoBranchesIsNoLoop) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"a\\a.gpj", "b\\b.gpj", "a\\a.gpj"}));
  host.addFile("C:\\w\\a\\a.gpj", gpjFile({"..\\common.gpj"}));
  host.addFile("C:\\w\\b\\b.gpj", gpjFile({"..\\common.gpj", "..\\a\\a.gpj"}));
  host.addFile("C:\\w\\common.gpj", gpjFile({"c.c"}));
  readProject();
  const ProjectGroup& root = rootGroup();
  ASSERT_EQ(root.children().size(), 3u);
  EXPECT_EQ(root.children()[1]->children().size(), 2u);
  EXPECT_EQ(root.children()[1]->children()[1]->children().at(0)->files,
            (std::vector<std::string>{"C:\\w\\b\\..\\a\\..\\c.c"}));
}

TEST_F(ParserTest, AnEmptyTopFileLeavesTheRootEmpty) {
  host.addFile("C:\\w\\top.gpj", "");
  readProject();
  EXPECT_EQ(tree(), "group top\n  sourcePath C:\\w\n");
}

TEST_F(ParserTest, BinaryBytesLongLinesAndAMissingFinalLineFeedAreRead) {
  std::string content;
  std::uint32_t state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1664525u + 1013904223u;
    const char byte = static_cast<char>(state >> 24);
    // A NUL byte near the start would make it no project file.
    content += byte == '\0' && i < 4096 ? '\x01' : byte;
  }
  const std::string longName(2 << 20, 'n');
  content += std::string("\na\0b.c\r\n", 8) + "\r\n" + longName + ".c\n" + "\xff\xfe-I\x01\r\n" + "last.c";
  host.addFile("C:\\w\\top.gpj", content);
  readProject();
  const ProjectGroup& root = rootGroup();
  ASSERT_GE(root.files.size(), 3u);
  EXPECT_EQ(root.files[root.files.size() - 3], std::string("C:\\w\\a\0b.c", 10));
  EXPECT_EQ(root.files[root.files.size() - 2], "C:\\w\\" + longName + ".c");
  EXPECT_EQ(root.files[root.files.size() - 1], "C:\\w\\last.c");
  EXPECT_EQ(root.includes().back(), "C:\\w\\-I\x01");
}

// Each file of the chain names the next; nothing may exhaust the stack, neither reading nor
// destroying the tree.
TEST_F(ParserTest, ADeepChainOfSubProjectsIsReadWithoutRecursion) {
  const int depth = 20000;
  for (int i = 0; i < depth; ++i) {
    const std::string next = i + 1 < depth ? "n" + std::to_string(i + 1) + ".gpj" : "";
    host.addFile("C:\\w\\n" + std::to_string(i) + ".gpj", gpjFile({"f" + std::to_string(i) + ".c", next}));
  }
  host.addFile("C:\\w\\n0.gpj", gpjFile({"-DTOP", "n1.gpj"}));
  runOnSmallStack([this] { readProject("C:\\w\\n0.gpj"); });
  const ProjectGroup* group = &rootGroup();
  int levels = 1;
  while (!group->children().empty()) {
    ASSERT_EQ(group->children().size(), 1u);
    group = group->children()[0].get();
    ++levels;
  }
  EXPECT_EQ(levels, depth);
  EXPECT_EQ(group->name(), "n" + std::to_string(depth - 1));
  EXPECT_EQ(group->files, (std::vector<std::string>{"C:\\w\\f" + std::to_string(depth - 1) + ".c"}));
  EXPECT_EQ(group->defines().count("TOP"), 1u);
  runOnSmallStack([this] { converter.reset(); });
}

}  // namespace
}  // namespace kalvex
