#pragma once

#include <QDate>
#include <QString>
#include <optional>

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

} // namespace store
