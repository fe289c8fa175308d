#pragma once

#include <QtGlobal>

namespace store {

class Recordset;

// Makes current the row of an open kept record set whose id is `id`, for a statement that finds
// a row by its word: a table made without UNIQUE may hold the word in two letter cases. Stays
// on the first row when only one row was found or none has that id.
void moveToId(Recordset& rs, qint64 id);

} // namespace store
