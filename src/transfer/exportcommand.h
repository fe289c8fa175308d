#pragma once

#include <QString>
#include <QTextStream>

namespace transfer {

// `gre-wordlist export FILE [--format csv|tsv|anki] [--force]`: writes every word of the word
// list `database`, in id order, to FILE (UTF-8 without a byte-order mark), replacing the whole
// file at once. An existing FILE is replaced only with `force`; the word file itself is never a
// target. An empty `format` chooses by FILE's extension.
// Returns the exit code: 0 written, 1 refused or failed (the reason on `err`), 2 an unknown
// format or no FILE.
int exportCommand(const QString& database, const QString& file, const QString& format, bool force,
                  QTextStream& out, QTextStream& err);

} // namespace transfer
