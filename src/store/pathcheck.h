#pragma once

#include <QString>

// Why a path cannot serve as the word list file, in plain words for the user.
namespace store {

// Names the path and the cause when the file at `path` cannot be made or used (its folder is a
// file, the path is a folder, the folder cannot be written or created); empty otherwise. A
// folder that cannot be written is a cause even when the file exists: saving a word writes a
// journal file beside it.
QString pathProblem(const QString& path);

// The cause of a refused save of the file at `path` when its folder, not the file itself, is
// what cannot be written; empty otherwise.
QString folderProblem(const QString& path);

} // namespace store
