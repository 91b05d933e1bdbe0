#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "host/host.h"

namespace kalvex {
namespace {

struct SearchCase {
  const char* relative;
  const char* found;  // below the temporary folder; null when no directory holds it
};

// The search that the POSIX host makes, against the one that opens every candidate, on
// directories d1, none (missing), d2, unl (unlistable: a name beyond ASCII), d3.
TEST(ListedSearch, FindsWhatOpeningEveryCandidateFinds) {
  char pattern[] = "/tmp/kalvex_search_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  ASSERT_EQ(std::system(("cd '" + root + "' && mkdir d1 d1/dir.c d2 unl d3 d3/sub && touch d1/a.c d2/Main.c d2/b.c " +
                         "unl/x.c 'unl/caf\xc3\xa9.c' d3/b.c d3/late.c d3/dir.c d3/sub/s.c")
                            .c_str()),
            0);
  std::string backslashRoot = root;
  for (char& c : backslashRoot) c = c == '/' ? '\\' : c;
  const std::unique_ptr<Host> host = makeOperatingSystemHost();
  const std::unique_ptr<DirectorySearch> listed = host->makeSearch();
  DirectorySearch everyCandidate(*host);
  for (const char* directory : {"d1", "none", "d2", "unl", "d3"}) {
    listed->add(backslashRoot + "\\" + directory);
    everyCandidate.add(backslashRoot + "\\" + directory);
  }
  const SearchCase cases[] = {
      {"a.c", "\\d1\\a.c"},            //
      {"b.c", "\\d2\\b.c"},            // the first of two directories that hold it
      {"late.c", "\\d3\\late.c"},      // only the last directory holds it
      {"x.c", "\\unl\\x.c"},           // the unlistable directory in the middle
      {"Main.c", "\\d2\\Main.c"},      //
      {"main.c", "\\d2\\Main.c"},      // only in another case: found as it is spelled on disk
      {"B.C", "\\d2\\b.c"},            //
      {"dir.c", "\\d3\\dir.c"},        // a folder of that name is skipped
      {"sub\\s.c", "\\d3\\sub\\s.c"},  // a sub-folder part
      {"sub\\t.c", nullptr},           //
      {"zz.c", nullptr},               // no directory holds it
      {"a.c.", nullptr},               // a name listings do not answer for
      {"", nullptr},                   //
  };
  for (const SearchCase& c : cases) {
    const std::optional<std::string> found = listed->firstThatOpens(c.relative);
    EXPECT_EQ(found, everyCandidate.firstThatOpens(c.relative)) << c.relative;
    EXPECT_EQ(found, c.found ? std::optional<std::string>(backslashRoot + c.found) : std::nullopt) << c.relative;
  }

  // A file written through the host is found by a search indexed before it was written.
  ASSERT_NE(host->openWrite(backslashRoot + "\\d2\\zz.c"), nullptr);
  EXPECT_EQ(listed->firstThatOpens("zz.c"), backslashRoot + "\\d2\\zz.c");
  // A directory added after the others were indexed joins the search at the end.
  ASSERT_EQ(std::system(("mkdir '" + root + "/d4' && touch '" + root + "/d4/late.c' '" + root + "/d4/d4.c'").c_str()),
            0);
  listed->add(backslashRoot + "\\d4");
  EXPECT_EQ(listed->firstThatOpens("d4.c"), backslashRoot + "\\d4\\d4.c");
  EXPECT_EQ(listed->firstThatOpens("late.c"), backslashRoot + "\\d3\\late.c");
  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
}  // namespace kalvex
