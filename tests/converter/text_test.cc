#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ascii.h"
#include "text/lexical_path.h"
#include "text/ordered_unique.h"

namespace kalvex {
namespace {

const std::string kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kLower = "abcdefghijklmnopqrstuvwxyz";

// Every byte value: the 26 letters of each case swap with their partner, all others stay,
// among them the neighbours of the letter ranges and every byte above 0x7F.
TEST(Ascii, FoldsExactlyTheFiftyTwoLetters) {
  for (int value = 0; value < 256; ++value) {
    const char c = static_cast<char>(value);
    const std::size_t upperAt = kUpper.find(c);
    const std::size_t lowerAt = kLower.find(c);
    const bool letter = (upperAt != std::string::npos || lowerAt != std::string::npos);
    EXPECT_EQ(isAsciiLetter(c), letter) << value;
    EXPECT_EQ(lowerAscii(c), upperAt != std::string::npos ? kLower[upperAt] : c) << value;
    EXPECT_EQ(upperAscii(c), lowerAt != std::string::npos ? kUpper[lowerAt] : c) << value;
  }
}

TEST(Ascii, TextsFoldAndCompareByteForByte) {
  EXPECT_EQ(lowerAscii(std::string_view("Main.CPP")), "main.cpp");
  EXPECT_EQ(lowerAscii(std::string("@[`{\xC4\xE4Z\0Q", 9)), std::string("@[`{\xC4\xE4z\0q", 9));
  EXPECT_EQ(lowerAscii(std::string_view()), "");

  struct Case {
    std::string a, b;
    bool equal;
  };
  const Case cases[] = {
      {"", "", true},
      {"C", "c", true},
      {"c++", "C++", true},
      {"CxX", "cXx", true},
      {std::string("a\0b", 3), std::string("A\0B", 3), true},
      {"@", "`", false},        // 0x40 and 0x60 differ only in the bit that folds letters
      {"[", "{", false},        // so do 0x5B and 0x7B
      {"\xC4", "\xE4", false},  // Latin-1 letters have no case here
      {"cpp", "cp", false},     // a prefix is not equal
      {std::string("c\0", 2), "c", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(equalIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(equalIgnoringAsciiCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
  }
}

TEST(LexicalPath, TakesDotsAndSeparatorsByTheirText) {
  struct Case {
    std::vector<std::string> before;
    const char* path;
    const char* separators;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {{}, "", "\\", {}},
      {{}, "\\a\\.\\b\\\\c\\", "\\", {"a", "b", "c"}},
      {{}, "a/b\\c", "\\/", {"a", "b", "c"}},
      {{}, "a/b\\c", "\\", {"a/b", "c"}},
      {{}, "a\\..\\..\\b", "\\", {"b"}},
      {{}, "C:\\a\\..\\..\\b", "\\", {"C:", "b"}},  // never above the drive
      {{}, "a:b\\..", "\\", {"a:b"}},               // a sole component with a colon names a drive
      {{}, "x\\a:b\\..", "\\", {"x"}},
      {{}, "...\\.x\\..", "\\", {"..."}},
      {{"C:", "w"}, "..\\..\\x", "\\", {"C:", "x"}},
      {{"C:", "w"}, "", "\\", {"C:", "w"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> components = c.before;
    takeLexicalSteps(components, c.path, c.separators);
    EXPECT_EQ(components, c.after) << c.path;
  }
}

// Texts are compared byte for byte: another letter case or a trailing separator is another
// entry; the first place of a text is kept however often it comes again.
TEST(OrderedUnique, KeepsTheFirstPlaceOfEachText) {
  struct Case {
    std::vector<std::string> added;
    std::vector<bool> wasNew;
    std::vector<std::string> entries;
  };
  const std::vector<Case> cases = {
      {{}, {}, {}},
      {{"b", "a", "b", "c", "a"}, {true, true, false, true, false}, {"b", "a", "c"}},
      {{"inc", "INC", "inc\\", "inc"}, {true, true, true, false}, {"inc", "INC", "inc\\"}},
      {{"", "", "x"}, {true, false, true}, {"", "x"}},
  };
  for (const Case& c : cases) {
    OrderedUnique list;
    std::vector<bool> wasNew;
    for (const std::string& text : c.added) wasNew.push_back(list.add(text));
    EXPECT_EQ(wasNew, c.wasNew) << c.added.size();
    EXPECT_EQ(list.entries(), c.entries) << c.added.size();
    for (const std::string& text : c.added) EXPECT_TRUE(list.contains(text)) << text;
    EXPECT_FALSE(list.contains("absent"));
  }
}

}  // namespace
}  // namespace kalvex
