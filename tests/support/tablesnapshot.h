#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

// Every row of listofwords in id order, each as one text holding all ten columns exactly as
// stored (NULL shown as "<null>"), read straight through SQLite beside the store. Comparing two
// snapshots shows any row lost, added or altered.
QStringList tableSnapshot(const QString& path);

// The words of listofwords in id order, read straight through SQLite beside the store.
QStringList wordsInFile(const QString& path);

// The engine's verdict on the whole file: "ok" for a sound file.
QString integrityCheck(const QString& path);

// The snapshot with the row whose id is given replaced by `replacement` (removed when empty):
// what the table should hold after one intended change.
QStringList withRow(QStringList snapshot, qint64 id, const QString& replacement);

} // namespace testsupport
