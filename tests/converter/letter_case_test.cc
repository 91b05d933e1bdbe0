#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>

#include "host/host.h"

namespace kalvex {
namespace {

struct CaseLookup {
  const char* asked;  // below the temporary folder
  const char* found;  // the path as spelled on disk; null when nothing is found
};

std::string backslashForm(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

// Src/Startup/Startup.gpj, Src/Only.c, two names in twin that differ only in case, a folder
// dir.c, and a file named like a folder.
TEST(LetterCase, APathThatNamesNothingIsLookedUpIgnoringCase) {
  char pattern[] = "/tmp/kalvex_case_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  ASSERT_EQ(std::system(("cd '" + root + "' && mkdir -p Src/Startup Src/twin Src/dir.c && " +
                         "touch Src/Startup/Startup.gpj Src/Only.c Src/twin/a.c Src/twin/A.c Src/file")
                            .c_str()),
            0);
  const std::string backslashRoot = backslashForm(root);
  const std::unique_ptr<Host> host = makeOperatingSystemHost();
  const CaseLookup cases[] = {
      {"\\Src\\Startup\\Startup.gpj", "\\Src\\Startup\\Startup.gpj"},
      {"\\src\\startup\\STARTUP.GPJ", "\\Src\\Startup\\Startup.gpj"},
      {"\\src/Startup//startup.gpj", "\\Src/Startup//Startup.gpj"},
      {"\\src\\only.c", "\\Src\\Only.c"},
      {"\\src\\..\\SRC\\ONLY.c", "\\Src\\..\\Src\\Only.c"},
      {"\\SRC\\twin\\a.c", "\\Src\\twin\\a.c"},  // the name as written wins over its twin
      {"\\SRC\\twin\\A.c", "\\Src\\twin\\A.c"},
      {"\\src\\twin\\a.C", nullptr},  // two names match
      {"\\src\\DIR.C", nullptr},      // a folder is no file
      {"\\src\\none.c", nullptr},
      {"\\none\\only.c", nullptr},
      {"\\src\\FILE\\x.c", nullptr},
  };
  // Each path is asked twice: once before its folder is listed, once after.
  for (int round = 0; round < 2; ++round) {
    for (const CaseLookup& c : cases) {
      const std::optional<std::string> expected = c.found ? std::optional<std::string>(backslashRoot + c.found)
                                                          : std::nullopt;
      EXPECT_EQ(host->findFile(backslashRoot + c.asked), expected) << c.asked;
      EXPECT_EQ(host->openRead(backslashRoot + c.asked) != nullptr, c.found != nullptr) << c.asked;
    }
  }
  EXPECT_EQ(host->identify(backslashRoot + "\\src\\only.c"), host->identify(backslashRoot + "\\Src\\Only.c"));
  EXPECT_TRUE(host->identify(backslashRoot + "\\Src\\Only.c").has_value());
  EXPECT_FALSE(host->exists(backslashRoot + "\\src\\only.c")) << "the writer's existence test keeps to the letter";
  EXPECT_TRUE(host->exists(backslashRoot + "\\Src\\Only.c"));
  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
}  // namespace kalvex
