#include "store/pathcheck.h"

#include <QDir>
#include <QFileInfo>

namespace store {

namespace {

// The nearest folder (or file standing in its place) on the way up from `folder` that exists.
QFileInfo nearestExisting(const QString& folder) {
    QFileInfo info(folder);
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath())
            break;
        info = QFileInfo(parent);
    }
    return info;
}

} // namespace

QString folderProblem(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (folder.isDir() && !folder.isWritable())
        return file.exists()
                   ? QStringLiteral("The folder \"%1\" cannot be written, so nothing can be saved "
                                    "to the word list file \"%2\" in it (saving writes a journal "
                                    "file beside it). Allow writing to the folder, or move the "
                                    "file to a folder you can write.")
                         .arg(QDir::toNativeSeparators(folder.absoluteFilePath()),
                              QDir::toNativeSeparators(path))
                   : QStringLiteral("The folder \"%1\" cannot be written, so the word list file "
                                    "\"%2\" cannot be created in it.")
                         .arg(QDir::toNativeSeparators(folder.absoluteFilePath()),
                              QDir::toNativeSeparators(path));
    return {};
}

QString pathProblem(const QString& path) {
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    const QFileInfo existing = nearestExisting(folder);
    if (existing.exists() && !existing.isDir())
        return QStringLiteral("\"%1\" is a file, not a folder, so the word list file \"%2\" "
                              "cannot be kept there.")
            .arg(QDir::toNativeSeparators(existing.absoluteFilePath()),
                 QDir::toNativeSeparators(path));
    if (file.isDir())
        return QStringLiteral("\"%1\" is a folder, not a word list file.")
            .arg(QDir::toNativeSeparators(path));
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The folder \"%1\" does not exist and cannot be created, because "
                              "\"%2\" cannot be written.")
            .arg(QDir::toNativeSeparators(folder),
                 QDir::toNativeSeparators(existing.absoluteFilePath()));
    return folderProblem(path);
}

} // namespace store
