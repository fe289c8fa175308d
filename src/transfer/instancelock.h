#pragma once

#include <QString>

// The names one running program claims for its word file, derived from the file's canonical
// path so that every way of naming the same file (relative, through a link) meets.
namespace transfer {

// A lock file in the temporary folder, held by the program with windows on the file.
QString instanceLockPath(const QString& database);
// The local socket a second start uses to ask the running program to show its menu.
QString instanceServerName(const QString& database);

// Whether a running program holds the file's lock (a lock left by a killed program is not held).
bool programRunsOn(const QString& database);

} // namespace transfer
