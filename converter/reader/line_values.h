// Text rules for the lines of project files and personalities. Every function here takes
// texts and gives texts; none touches the file system.
#ifndef KALVEX_READER_LINE_VALUES_H
#define KALVEX_READER_LINE_VALUES_H

#include <istream>
#include <string>

namespace kalvex {

// Reads one line: the bytes up to the next line feed, without it, and without a carriage
// return that directly precedes it (any other carriage return is an ordinary byte). A last
// line without a line feed is still delivered. False when no byte could be read.
// endedWithLineFeed, when given, tells whether the line was ended by a line feed.
bool readLine(std::istream& in, std::string& line, bool* endedWithLineFeed = nullptr);

// The text without its leading and then its trailing run of c.
std::string stripChar(const std::string& text, char c);

// stripChar with space, then with tab.
std::string trimLine(const std::string& text);

}  // namespace kalvex

#endif
