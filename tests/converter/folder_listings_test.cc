#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "host/folder_listings.h"

namespace kalvex {
namespace {

struct AbsenceCase {
  const char* path;  // below the temporary folder
  bool absent;
};

// A folder d with Main.c and a.c, a folder intl holding a name beyond ASCII, and a link to d.
TEST(FolderListings, AnswersAbsentOnlyWhereAnOpenMustFail) {
  char pattern[] = "/tmp/kalvex_listing_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  ASSERT_EQ(std::system(("mkdir '" + root + "/d' '" + root + "/intl' && touch '" + root + "/d/Main.c' '" + root +
                         "/d/a.c' '" + root + "/intl/caf\xc3\xa9.c' && ln -s d '" + root + "/link'")
                            .c_str()),
            0);
  const AbsenceCase cases[] = {
      {"/d/a.c", false},          // listed
      {"/d/b.c", true},           // not listed
      {"/d/A.C", false},          // listed when case is ignored, as some file systems do
      {"/d/main.c", false},       //
      {"/d/b.c.", false},         // trailing full stops and blanks are dropped by some systems
      {"/d/b.c ", false},         //
      {"/d/b\xc3\xa9.c", false},  // letters beyond ASCII may fold onto a listed name
      {"/intl/x.c", false},       // a listing with such a name answers nothing
      {"/none/x.c", true},        // the folder is missing
      {"/D/b.c", true},           // the folder exists in another case, without the name
      {"/D/a.c", false},          //
      {"/d/a.c/x", true},         // a file stands where the folder should be
      {"/d/", false},             // no name
      {"/d/..", false},           //
      {"/link/a.c", false},       // a linked folder is listed like any other
      {"/link/b.c", true},        //
  };
  FolderListings listings;
  EXPECT_FALSE(listings.certainlyAbsent(root + "/d/b.c")) << "the first question about a folder is left to an open";
  for (const AbsenceCase& c : cases) {
    listings.certainlyAbsent(root + c.path);  // the first question about its folder, if it is one
    EXPECT_EQ(listings.certainlyAbsent(root + c.path), c.absent) << c.path;
  }
  EXPECT_FALSE(listings.certainlyAbsent("a.c")) << "a path without a folder is left to a real open";

  // A listing is read once: a file made behind its back stays unseen until it is dropped.
  std::ofstream(root + "/d/b.c").put('x');
  EXPECT_TRUE(listings.certainlyAbsent(root + "/d/b.c"));
  listings.forgetAll();
  EXPECT_FALSE(listings.certainlyAbsent(root + "/d/b.c"));
  EXPECT_FALSE(listings.certainlyAbsent(root + "/d/b.c"));
  std::system(("rm -rf '" + root + "'").c_str());
}

// Only a name listed, as written, as a regular file lets an existence test skip its first
// stat; a FIFO, a link, a folder, another letter case or an unlisted folder never do.
TEST(FolderListings, TellsARegularFileOnlyFromAListingAndTheExactName) {
  char pattern[] = "/tmp/kalvex_listing_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  ASSERT_EQ(std::system(("cd '" + root + "' && mkdir d d/sub other && touch d/a.c other/a.c && mkfifo d/fifo.c && " +
                         "ln -s a.c d/link.c")
                            .c_str()),
            0);
  FolderListings listings;
  EXPECT_NE(listings.listedAs(root + "/d/a.c"), FolderListings::Listed::kRegularFile) << "the folder is not listed yet";
  listings.certainlyAbsent(root + "/d/x.c");
  listings.certainlyAbsent(root + "/d/x.c");
  const std::pair<const char*, bool> cases[] = {
      {"/d/a.c", true},  {"/d/A.c", false},    {"/d/fifo.c", false},  {"/d/link.c", false},
      {"/d/sub", false}, {"/d/none.c", false}, {"/other/a.c", false}, {"/d/a.c/", false},
  };
  for (const auto& [path, regular] : cases) {
    EXPECT_EQ(listings.listedAs(root + path) == FolderListings::Listed::kRegularFile, regular) << path;
  }
  listings.forgetAll();
  EXPECT_NE(listings.listedAs(root + "/d/a.c"), FolderListings::Listed::kRegularFile)
      << "listings dropped answer nothing";
  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
}  // namespace kalvex
