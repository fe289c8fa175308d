#pragma once

#include <QString>

// Where the word list file lives and how it comes into being.
namespace store {

// The user's documents folder + "/gre_wordlist.db".
QString defaultDatabasePath();

// The file every connection opens. Tests and the benchmark point it at their own file.
QString databasePath();
void setDatabasePath(const QString& path);

// Creates the file with its empty table when it does not exist yet; an existing file is
// only checked (never altered). Throws StoreError when it is not a word list.
void ensureDatabase();

} // namespace store
