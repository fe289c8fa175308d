#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// Words in the order of a dictionary, on UTF-8 text: accented letters with their base letter
// (é with e), ß with ss, letter case ignored except to order words that differ only in it
// (lower case first). Words the collation finds equal are ordered by their bytes, so every
// list comes out in one fixed order. ICU's collation for English does the work (through
// QCollator); words of plain ASCII letters, digits, blanks and hyphens take a fast path that
// gives the same result.
namespace store::dictionary {

// <0, 0, >0 like strcmp.
int compare(std::string_view a, std::string_view b);

// The positions 0..count-1 ordered by the words wordAt gives for them; equal words keep their
// positions' order. Cheap when the words are already in order.
std::vector<std::size_t> order(std::size_t count,
                               const std::function<std::string_view(std::size_t)>& wordAt);

} // namespace store::dictionary
