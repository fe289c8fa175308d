#pragma once

#include <string>
#include <string_view>

// Text comparison without regard to letter case for every letter (accented and non-Latin ones
// too), on UTF-8 text. ASCII text takes a fast path that needs no conversion.
namespace store::textcompare {

// <0, 0, >0 like strcmp, after case folding.
int compare(std::string_view a, std::string_view b);
// SQL LIKE: '%' any run of characters, '_' one character, case folded.
bool like(std::string_view pattern, std::string_view text);
bool isAscii(std::string_view text);
// A key equal for two texts exactly when compare() finds them equal (for hashing many words).
std::string foldedKey(std::string_view text);

} // namespace store::textcompare
