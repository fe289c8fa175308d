#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

struct sqlite3;

// How values written by other tools read: one reading of flags and dates for the whole program
// (record sets, statements, the quiz's draw, import).
namespace store {

// A flag as text or number: 1, -1, any other non-zero number, "true", "yes" (any case) are
// true; 0, "false", "no" are false. Empty text and anything else is no answer (nullopt).
std::optional<bool> parseFlagText(const QString& text);

// Date text in the forms other tools write: "yyyy-mm-dd" or month/day/year with a two- or
// four-digit year ("7/1/01" is 1 July 2001), either one optionally followed by a time of day
// ("7/1/2001 0:00:00", "2001-07-01 00:00:00", "2001-07-01T10:00:00"). Invalid when neither.
QDate parseStoredDate(const QString& text);

// What a flag without value (or with text that is no answer) means: is_used then counts as
// used (such a row is not free for a test), every other flag as false.
bool flagWithoutValue(const QString& column);

// A flag field as a record set hands it out (bool, or null for no value), read as above.
bool flagValue(const QVariant& field, const QString& column);

// The word as the table keeps it, the key every comparison uses: white space around it removed,
// each run of tabs and line breaks inside it one blank, other control characters and invisible
// formatting characters (direction overrides, zero-width spaces) removed. What the screen
// shows is then what a search for it types.
QString cleanWord(const QString& typed);

// Registers the same readings as SQL functions on a connection, for the comparisons the
// statement dialect translates (see translate.h):
//   gre_flag(value, without) -> 1 or 0; `without` when the value is none or no answer;
//   gre_date(value)          -> "yyyy-mm-dd" of the calendar day the value names, else NULL.
void registerStoredValueFunctions(sqlite3* db);

} // namespace store
