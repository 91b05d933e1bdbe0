// Lines as generators and IDEs write them: options files, builder-option macros, option
// values after blanks, brace groups before a tab, type tags after source files.
#include <gtest/gtest.h>

#include "reader_fixture.h"

namespace kalvex {
namespace {

using testing::gpjFile;

using OptionsFileTest = testing::ReaderTest;

TEST_F(OptionsFileTest, ItsLinesCountInPlaceOfTheLineThatNamesIt) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"-Ifirst", "[TAB]:optionsFile=\"sub/app.opt\"", "-Iafter", "top.c"}));
  host.addFile(
      "C:\\w\\sub\\app.opt",
      gpjFile({"#!gbuild", "[Options[SP]File]", "[TAB]-Iinc", "[TAB]-DFROM_OPT=1", ":sourceDir=src",
               "macro[SP]OPT_MACRO=x", "{streq(OPT_MACRO,x)}[SP]-DCONDITION", "lib.gpj", "main.c",
               ":optionsFile=more.opt", ":optionsFile=sub\\..\\sub\\app.opt", ":optionsFile=missing.opt", "-Ilast"}));
  host.addFile("C:\\w\\more.opt", gpjFile({"-DMORE", ":optionsFile=sub/app.opt"}));
  host.addFile("C:\\w\\lib.gpj", "");
  host.addFile("C:\\w\\src\\top.c", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  file C:\\w\\src\\top.c\n"
            "  include C:\\w\\first\n"
            "  include C:\\w\\inc\n"
            "  include C:\\w\\last\n"
            "  include C:\\w\\after\n"
            "  define CONDITION=\n"
            "  define FROM_OPT=1\n"
            "  define MORE=\n");
  EXPECT_EQ(resolved("x${OPT_MACRO}"), "C:\\w\\xx");
  EXPECT_EQ(reader().currentPath(), "C:\\w\\top.gpj");
}

TEST_F(OptionsFileTest, OptionLinesTakeTheirValuesFromTheText) {
  host.addFile("C:\\w\\top.gpj",
               gpjFile({"[TAB][SP]-Iinc", "[TAB][SP]-DX=1", ":macro=BOARD=rh850",
                        "[TAB]:macro=[SP]SPACED[SP]=[SP]v[SP]", ":macro=NOVALUE", "{streq(BOARD,rh850)}[SP]-DBOARD_OK",
                        "{isdefined(BOARD)}[TAB]:sourceDir=lib[TAB]", ":sourceDir=lib[TAB]"}));
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  include C:\\w\\inc\n"
            "  define BOARD_OK=\n"
            "  define X=1\n");
  EXPECT_EQ(resolved("x${BOARD}-${SPACED}-${NOVALUE}"), "C:\\w\\xrh850-v-${NOVALUE}");
  EXPECT_EQ(pathsTriedFor("none.c"), (std::vector<std::string>{"C:\\w\\none.c", "C:\\w\\lib\t\\none.c"}))
      << "the tab stays, as without a group";
}

TEST_F(OptionsFileTest, TypeTagsGoAndCapitalExtensionsCount) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"x.c[SP][CXX]", "\"y[SP]z.c\"[SP][SP][C]", "w.c[SP][]", "v.c[CXX]", "MAIN.C",
                                          "B.CPP", "u.c[SP][a]b]"}));
  readProject();
  EXPECT_EQ(rootGroup().files,
            (std::vector<std::string>{"C:\\w\\x.c", "C:\\w\\y z.c", "C:\\w\\MAIN.C", "C:\\w\\B.CPP"}));
}

// A desktop that ignores letter case: what the reader finds is named as the disk spells it.
TEST_F(OptionsFileTest, FilesFoundIgnoringLetterCaseAreSpelledAsOnDisk) {
  host.setLetterCase(VirtualHost::LetterCase::kIgnored);
  host.addFile("C:\\w\\top.gpj", gpjFile({"SRC\\MAIN.C", "sub.gpj", "missing.c"}));
  host.addFile("C:\\w\\Src\\main.c", "");
  host.addFile("C:\\w\\SUB.gpj", gpjFile({"x.C"}));
  host.addFile("C:\\w\\X.c", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n  sourcePath C:\\w\n  file C:\\w\\Src\\main.c\n  file C:\\w\\missing.c\n"
            "  group SUB\n    sourcePath C:\\w\n    file C:\\w\\X.c\n");
}

}  // namespace
}  // namespace kalvex
