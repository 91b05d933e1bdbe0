// General text helpers: line reading, prefixes and parts, trimming, brackets. Each takes texts
// and gives texts or positions; none touches the file system.
#ifndef KALVEX_TEXT_STRINGS_H
#define KALVEX_TEXT_STRINGS_H

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace kalvex {

// Reads one line: the bytes up to the next line feed, without it, and without a carriage
// return that directly precedes it (any other carriage return is an ordinary byte). A last
// line without a line feed is still delivered. False when no byte could be read.
// endedWithLineFeed, when given, tells whether the line was ended by a line feed.
bool readLine(std::istream& in, std::string& line, bool* endedWithLineFeed = nullptr);

// True when text begins with prefix.
inline bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}
// True when part stands anywhere in text.
inline bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The text without its leading and then its trailing run of c.
std::string_view stripView(std::string_view text, char c);
std::string stripChar(const std::string& text, char c);
// stripChar with space, then with tab.
std::string_view trimView(std::string_view text);
std::string trimLine(const std::string& text);

// The position of the first byte that is not a blank or a tab (the line's indentation);
// npos for a text of blanks and tabs only.
std::size_t firstNonBlank(std::string_view text, std::size_t from = 0);
// The text without the blanks and tabs at both of its ends, mixed in any order.
std::string withoutBlanks(std::string_view text);

// The position of the bracket that closes the "{" or "(" at open, nested pairs counted; npos
// when it is not closed.
std::size_t matchingBracket(const std::string& text, std::size_t open);

}  // namespace kalvex

#endif
