#include "writer/group_paths.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(GroupPaths, LastComponentsFollowTheirOwnSeparatorRules) {
  const std::pair<const char*, const char*> names[] = {{"drv", "drv"},  {"a/b", "b"}, {"a\\b/c", "b/c"},
                                                       {"a/b\\c", "c"}, {"x/", ""},   {"", ""}};
  for (const auto& [name, last] : names) EXPECT_EQ(lastNameComponent(name), last) << name;

  const std::pair<const char*, const char*> parents[] = {
      {"", ""},        {"top", "top"},    {"top\\drv", "drv"},   {"top\\a/b", "b"},
      {"a/b\\c", "c"}, {"a/b/c\\d", "d"}, {"a\\b/c\\d", "c\\d"}, {"a\\b\\c/d/e", "e"}};
  for (const auto& [parent, last] : parents) EXPECT_EQ(lastParentComponent(parent), last) << parent;
}

TEST(GroupPaths, LeadingFoldersStopAtEachSeparator) {
  EXPECT_EQ(leadingFolders("D", "a/b\\c"), (std::vector<std::string>{"D\\a", "D\\a/b"}));
  EXPECT_EQ(leadingFolders("D", "/x"), (std::vector<std::string>{"D\\"}));
  EXPECT_TRUE(leadingFolders("D", "plain").empty());
  EXPECT_EQ(baseFolder("D", ""), "D");
  EXPECT_EQ(baseFolder("D", "top\\a"), "D\\top\\a");
  EXPECT_EQ(childParentPath("", "top"), "top");
  EXPECT_EQ(childParentPath("top", "a/b"), "top\\a/b");
}

TEST(GroupPaths, LiesWithinTakesDotsLexically) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"C:\\out", "C:\\out", true},
      {"C:\\out\\x\\..", "C:\\out", true},
      {"C:\\out\\..", "C:\\out", false},
      {"C:\\out\\..\\out\\y", "C:\\out", true},
      {"C:\\outside", "C:\\out", false},
      {"C:\\out\\a/../../b", "C:\\out", false},
      {"C:\\out\\\\.\\a", "C:\\out", true},
      {"C:\\..\\..\\out\\a", "C:\\out", true},
      {"\\tmp\\w\\..\\w\\x", "\\tmp\\w", true},
      {"\\tmp\\w\\../v", "\\tmp\\w", false},
      {"C:\\a\\..\\out\\x", "C:\\b\\..\\out", true},
  };
  for (const auto& [path, folder, within] : cases) EXPECT_EQ(liesWithin(path, folder), within) << path;
  // What follows a NUL never reaches the operating system.
  const char escapesBeforeNul[] = "C:\\out\\top\\../..\0abc";
  const char escapesAfterNul[] = "C:\\out\\top\\a\0/../../..";
  EXPECT_FALSE(liesWithin(std::string(escapesBeforeNul, sizeof escapesBeforeNul - 1), "C:\\out"));
  EXPECT_TRUE(liesWithin(std::string(escapesAfterNul, sizeof escapesAfterNul - 1), "C:\\out"));
}

}  // namespace
}  // namespace kalvex
