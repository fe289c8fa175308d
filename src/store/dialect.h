#pragma once

#include <QDate>
#include <QString>

// Helpers for the windows that build statements by joining fixed text with values.
namespace store {

// Text to place between the single quotes of a literal: embedded quotes are doubled, so an
// ordinary word gives exactly the same statement and a word with an apostrophe still matches.
QString escapeQuotes(const QString& text);

// A date as it goes between the two '#' of a date literal; the store reads it the same way in
// every locale (year-month-day).
QString dateLiteralText(const QDate& date);

// Reads date text the way the store does: "yyyy-mm-dd", or month/day/year with a two- or
// four-digit year ("7/1/01" is 1 July 2001). Returns an invalid date when it is neither.
QDate parseDateText(const QString& text);

} // namespace store
