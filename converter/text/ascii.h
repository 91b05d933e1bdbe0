// Letter case of 8-bit texts, ASCII only: A to Z and a to z change case, every other byte
// (those above 0x7F included) stays as it is, whatever the locale.
#ifndef KALVEX_TEXT_ASCII_H
#define KALVEX_TEXT_ASCII_H

#include <string>
#include <string_view>

namespace kalvex {

constexpr bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr bool equalIgnoringAsciiCase(char a, char b) { return lowerAscii(a) == lowerAscii(b); }

// The text with every ASCII letter in lower case.
std::string lowerAscii(std::string_view text);
// True when both texts have the same length and their bytes pair up ignoring ASCII case.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace kalvex

#endif
