#include "writer/json_text.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

struct Escape {
  std::string bytes;
  std::string json;
};

TEST(JsonString, EscapesWhatJsonNeedsAndKeepsEveryByteReadable) {
  const std::vector<Escape> cases = {
      {"", "\"\""},
      {"C:\\a b\\x.c", "\"C:\\\\a b\\\\x.c\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a\tb\nc\rd\be\ff", "\"a\\tb\\nc\\rd\\be\\ff\""},
      {std::string("\x01\x1f\x7f", 3) + std::string(1, '\0'), "\"\\u0001\\u001F\x7f\\u0000\""},
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x94\xa7", "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x94\xa7\""},  // UTF-8 stays
      {"caf\xe9.c", "\"caf\\u00E9.c\""},                                                               // a Latin-1 byte
      {"\xc3", "\"\\u00C3\""},                                   // a sequence cut short at the end
      {"\xe2\x82x", "\"\\u00E2\\u0082x\""},                      // cut short before an ASCII byte
      {"\xc0\x80", "\"\\u00C0\\u0080\""},                        // an overlong NUL
      {"\xe0\x80\xaf", "\"\\u00E0\\u0080\\u00AF\""},             // an overlong "/"
      {"\xed\xa0\x80", "\"\\u00ED\\u00A0\\u0080\""},             // a surrogate
      {"\xf4\x90\x80\x80", "\"\\u00F4\\u0090\\u0080\\u0080\""},  // above U+10FFFF
      {"\xf5\xff", "\"\\u00F5\\u00FF\""},
  };
  for (const Escape& c : cases) EXPECT_EQ(jsonString(c.bytes), c.json) << c.bytes;
}

TEST(CompileDatabaseText, OneObjectPerCommandWithCommasBetweenThem) {
  EXPECT_EQ(compileDatabaseText({}), "[]\n");
  const std::vector<CompileCommand> commands = {{"/src", "/src/a.c", {"cc", "-c", "/src/a.c"}},
                                                {"/src/\"q\"", "b.c", {}}};
  EXPECT_EQ(compileDatabaseText(commands),
            "[\n"
            "  {\n"
            "    \"directory\": \"/src\",\n"
            "    \"file\": \"/src/a.c\",\n"
            "    \"arguments\": [\"cc\", \"-c\", \"/src/a.c\"]\n"
            "  },\n"
            "  {\n"
            "    \"directory\": \"/src/\\\"q\\\"\",\n"
            "    \"file\": \"b.c\",\n"
            "    \"arguments\": []\n"
            "  }\n"
            "]\n");
}

// The writer escapes again only texts that differ from the entry before: each entry must read
// as it does alone, whichever of its texts it shares with its neighbours and wherever.
TEST(CompileDatabaseText, EachEntryReadsAsItDoesAlone) {
  const std::vector<CompileCommand> commands = {
      {"/src", "/src/a.c", {"cc", "-I", "/inc \"q\"", "-c", "/src/a.c"}},
      {"/src", "/src/b.c", {"cc", "-I", "/inc \"q\"", "-c", "/src/b.c"}},
      {"/src", "/src/c.c", {"cc", "-I", "/other", "-D", "X", "-c", "/src/c.c"}},
      {"/src\t2", "/src/c.c", {"cc", "-c"}},
      {"/src", "/src/a.c", {"cc", "-I", "/inc \"q\"", "-c", "/src/a.c"}},
  };
  std::string expected = "[\n";
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const std::string alone = compileDatabaseText({commands[i]});
    expected += alone.substr(2, alone.size() - 5) + (i + 1 < commands.size() ? ",\n" : "\n");
  }
  EXPECT_EQ(compileDatabaseText(commands), expected + "]\n");
}

}  // namespace
}  // namespace kalvex
