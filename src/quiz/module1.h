#pragma once

#include <QString>
#include <array>

// The material of a test: ten words drawn at random among the words not yet used, and for each
// question four wrong choices drawn from the whole list. The procedures talk to the test window
// only through the lists below.
namespace Module1 {

// Position k of the three lists belongs to the same drawn row.
extern std::array<QString, 10> testwords;
extern std::array<QString, 10> testusages; // usage text, or the fallback that shows the synonym
extern std::array<QString, 10> testsynonyms;
// The id of each drawn row, which tells it apart from a row holding the word in another case.
extern std::array<qint64, 10> testids;
// Entry 0 is the right word (set by the caller), entries 1-4 the wrong choices.
extern std::array<QString, 5> testchoices;

// Question text of a usage test for a row that has no usage; the synonym follows directly.
extern const QString kNoUsageText;

// Draws ten different free words into positions 0-9 of testwords/testusages/testsynonyms and
// marks their rows used (with today as last_seen where the row has a usage). The caller makes
// sure that at least ten words are free.
void picktestwords();

// Fills testchoices 1-4 with words drawn from the whole list that differ from testchoices[0]
// (case-sensitive); the same wrong word may come twice.
void pickchoices();

// One draw of an identity number between 1 and the highest id in the table, the highest id
// read afresh. Throws StoreError when the table is empty.
qint64 drawid();

} // namespace Module1
