#pragma once

#include <QStringList>

// Side files a killed program leaves beside the word file: a rollback journal ("-journal") or a
// write-ahead log ("-wal"). SQLite replays them into whatever file sits under the name at the
// next open, and their headers do not name the file they belong to.
namespace store {

// Renames (never deletes) each side file that does not belong to the file now at `path`, so a
// file copied over the word file is not overwritten with pages of the one it replaced. Side
// files still in use by another process are left alone. Returns the new names.
QStringList setAsideForeignSideFiles(const QString& path);

} // namespace store
