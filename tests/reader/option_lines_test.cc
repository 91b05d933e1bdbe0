// Option lines that hold several options, references in defines, "import" lines and project
// files that are not text.
#include <gtest/gtest.h>

#include <sstream>

#include "errors.h"
#include "reader/line_values.h"
#include "reader/option_split.h"
#include "reader/text_input.h"
#include "reader_fixture.h"

namespace kalvex {
namespace {

using testing::gpjFile;
using testing::spelled;

std::vector<std::string> options(const std::string& text) {
  std::vector<std::string> found;
  std::size_t from = 0;
  for (std::size_t next = nextOptionStart(text, 0); next != std::string::npos; next = nextOptionStart(text, from)) {
    found.push_back(optionBetween(text, from, next));
    from = next;
  }
  found.push_back(text.substr(from));
  return found;
}

TEST(OptionSplit, ABlankBeforeADashOrColonOutsideQuotesBeginsTheNextOption) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"-DEMBEDDED[SP]:select=ppc[SP]:select=cxx", {"-DEMBEDDED", ":select=ppc", ":select=cxx"}},
      {"-DA=1U[SP]-DB=1U", {"-DA=1U", "-DB=1U"}},
      {"-D[SP]NAME", {"-D NAME"}},
      {"-I[SP]\"my[SP]dir\"", {"-I \"my dir\""}},
      {":postexec=\"gsrec[SP]-S3[SP]x.elf\"", {":postexec=\"gsrec -S3 x.elf\""}},
      {":postexec='gsize[SP]-ram[SP]x.elf'[SP]-DP", {":postexec='gsize -ram x.elf'", "-DP"}},
      {"-DM=\"a[SP]'b\"[SP]-DN", {"-DM=\"a 'b\"", "-DN"}},
      {"-DU='it[SP]-DV", {"-DU='it -DV"}},
      {"-Iinc[TAB][SP][TAB]-Dq[TAB]", {"-Iinc", "-Dq\t"}},
      {"-I[SP][SP]-x", {"-I", "-x"}},
      {"-Ia-b[SP]x:y", {"-Ia-b x:y"}},
      {"-Ia[SP]", {"-Ia "}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(options(spelled(text)), expected) << text;
}

TEST(ImportName, IsTheOneWordAfterImportAndBlanks) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"import[SP]INTEGRITY_ROOT_PATH", "INTEGRITY_ROOT_PATH"},
      {"import[TAB][SP]X", "X"},
      {"import", std::nullopt},
      {"import[SP]", std::nullopt},
      {"importX[SP]Y", std::nullopt},
      {"import[SP]A[SP]B", std::nullopt},
      {"import[SP]A=B", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(importName(spelled(text)), expected) << text;
}

TEST(ReadsText, ANulByteInTheFirst4096BytesMakesNoTextAndTheBytesAllStayReadable) {
  const std::string late = std::string(kTextTestSize, 'a') + std::string("\0b", 2);
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"-Iinc\r\n", true},
      {std::string("\0", 1), false},
      {std::string(kTextTestSize - 1, 'a') + std::string("\0", 1), false},
      {late, true},
  };
  for (const auto& [content, text] : cases) {
    std::unique_ptr<std::istream> input = std::make_unique<std::istringstream>(content);
    EXPECT_EQ(readsText(input), text) << content.size();
    std::ostringstream all;
    all << input->rdbuf();
    EXPECT_EQ(all.str(), content);
  }
}

using OptionLinesTest = testing::ReaderTest;

// Each option stands as a line of its own, under the line's conditions and entry; a source
// directory that ends the line keeps its trailing tab.
TEST_F(OptionLinesTest, EachOptionOfALineIsReadAsALineOfItsOwn) {
  host.addFile("C:\\w\\top.gpj", gpjFile({"-DEMBEDDED[SP]:select=ppc[SP]:select=cxx", "[TAB]-DA=1U[SP]-DB=1U",
                                          "-D[SP]NAME[SP]-I\"my dir\"", "{isdefined(NOPE)}[SP]-DSKIPPED[SP]-Iskipped",
                                          "-DX[SP]:sourceDir=src[TAB]", ":postexec=\"gsrec -S3 x.elf\"[SP]-DP",
                                          "-DK=$(M)[SP]:macro=M=1[SP]-DL=$(M)"}));
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  include C:\\w\\my dir\n"
            "  define A=1U\n"
            "  define B=1U\n"
            "  define EMBEDDED=\n"
            "  define K=$(M)\n"
            "  define L=1\n"
            "  define NAME=\n"
            "  define P=\n"
            "  define X=\n");
  EXPECT_EQ(pathsTriedFor("none.c"), (std::vector<std::string>{"C:\\w\\none.c", "C:\\w\\src\t\\none.c"}));
}

// Values as written wherever the reference stands, scanned again; quotes around the whole text
// go. A line that is no option line keeps the old rule's define text ("-DPLAIN").
TEST_F(OptionLinesTest, DefinesHaveTheirReferencesExpanded) {
  host.setEnvironment({{"FROM_ENV", "e"}});
  host.addFile("C:\\w\\top.gpj", gpjFile({"macro[SP]V=$(W).0", "macro[SP]W=rel", "-DVER=$(V)", "-DAT_START=$V",
                                          "-D__AIP__=${FROM_ENV}", "-DLEFT=$(NOPE)", "-D\"Q=1\"", "-DS=\"a b\"",
                                          "-D[SP]\"SP=2\"", "{isdefined(V)}[SP]-DCOND=${V}", "x[SP]-DPLAIN=$W"}));
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  define -DPLAIN=rel\n"
            "  define AT_START=rel.0\n"
            "  define COND=rel.0\n"
            "  define LEFT=$(NOPE)\n"
            "  define Q=1\n"
            "  define S=\"a b\"\n"
            "  define SP=2\n"
            "  define VER=rel.0\n"
            "  define __AIP__=e\n");
}

TEST_F(OptionLinesTest, ImportDefinesAMacroFromTheEnvironmentOrNothing) {
  host.setEnvironment({{"INTEGRITY_ROOT_PATH", "C:\\ghs\\int"}, {"REL", "\"sub\""}});
  host.addFile("C:\\w\\top.gpj", gpjFile({"import[SP]INTEGRITY_ROOT_PATH", "import[TAB]REL", "import[SP]UNSET",
                                          "-I$(INTEGRITY_ROOT_PATH)/inc", "-I$(REL)", "-I$(UNSET)"}));
  readProject();
  EXPECT_EQ(resolved("x${INTEGRITY_ROOT_PATH}-${REL}-${UNSET}"), "xC:\\ghs\\int-sub-${UNSET}")
      << "as written, the quotes gone, and nothing for a variable not set";
  EXPECT_EQ(rootGroup().includes(), (std::vector<std::string>{"C:\\ghs\\int\\inc", "C:\\w\\sub", "$(UNSET)"}));
}

TEST_F(OptionLinesTest, FilesThatAreNotTextAreNotReadLineByLine) {
  const std::string binary = std::string("\0\x01", 2) + "\r\n-DFROM_BINARY\r\nbin.c\r\n";
  host.addFile("C:\\w\\top.gpj", gpjFile({"-DTOP", ":optionsFile=opts.bin", "-DAFTER", "bin.gpj", "next.gpj"}));
  host.addFile("C:\\w\\opts.bin", binary);
  host.addFile("C:\\w\\bin.gpj", binary);
  host.addFile("C:\\w\\next.gpj", gpjFile({"-DNEXT"}));
  host.addFile("C:\\w\\bin.c", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  define AFTER=\n"
            "  define TOP=\n"
            "  group bin\n"
            "    sourcePath C:\\w\n"
            "    define AFTER=\n"
            "    define TOP=\n"
            "  group next\n"
            "    sourcePath C:\\w\n"
            "    define AFTER=\n"
            "    define NEXT=\n"
            "    define TOP=\n");
  host.addFile("C:\\w\\top.gpj", binary);
  EXPECT_EQ(failingRead(AsciiReaderError::kNotText), "C:\\w\\top.gpj");
}

// A file's own option sets the database's copy of the group's options apart; the group's later
// options must reach that copy too, and a sub-project's copy starts from it.
TEST_F(OptionLinesTest, GroupOptionsAfterAFilesOwnReachTheDatabase) {
  host.addFile("C:\\w\\top.gpj",
               gpjFile({"-Ifirst", "a.c", "[TAB]-Iown", "[TAB]-DF=1", "-Igroup", "-DG=2", "-UU", "sub.gpj"}));
  host.addFile("C:\\w\\sub.gpj", gpjFile({"-Isub", "-DS"}));
  host.addFile("C:\\w\\a.c", "");
  readProject();
  EXPECT_EQ(tree(),
            "group top\n"
            "  sourcePath C:\\w\n"
            "  file C:\\w\\a.c\n"
            "  include C:\\w\\first\n"
            "  include C:\\w\\own\n"
            "  include C:\\w\\group\n"
            "  define F=1\n"
            "  define G=2\n"
            "  database\n"
            "    include C:\\w\\first\n"
            "    include C:\\w\\group\n"
            "    define G=2\n"
            "    undefine U\n"
            "    file 0 -I C:\\w\\own -D F=1\n"
            "  group sub\n"
            "    sourcePath C:\\w\n"
            "    include C:\\w\\sub\n"
            "    include C:\\w\\first\n"
            "    include C:\\w\\own\n"
            "    include C:\\w\\group\n"
            "    define F=1\n"
            "    define G=2\n"
            "    define S=\n"
            "    database\n"
            "      include C:\\w\\sub\n"
            "      include C:\\w\\first\n"
            "      include C:\\w\\group\n"
            "      define G=2\n"
            "      define S=\n"
            "      undefine U\n");
}

}  // namespace
}  // namespace kalvex
