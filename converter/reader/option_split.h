// The options of one option line: a blank or a tab followed by "-" or ":" ends one option and
// begins the next, unless it stands within quotes (double or single, each up to its match).
// Pure text rules.
#ifndef KALVEX_READER_OPTION_SPLIT_H
#define KALVEX_READER_OPTION_SPLIT_H

#include <string>

namespace kalvex {

// The position of the option after the one that begins at from ("-" or ":" just after a blank
// or a tab), or npos when the option at from runs to the end of text.
std::size_t nextOptionStart(const std::string& text, std::size_t from);

// The option that begins at from and ends before next, without the blanks and tabs it ends in.
std::string optionBetween(const std::string& text, std::size_t from, std::size_t next);

}  // namespace kalvex

#endif
