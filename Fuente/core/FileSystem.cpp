#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

namespace FileSystem {

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString& path) { return QFileInfo(path).isDir(); }

void createFolder(const QString& path) {
    if (folderExists(path))
        return;
    const QFileInfo info(path);
    if (info.exists())
        throw RunError{RunError::PathFileAccess, "Path/File access error: " + shown(path) + " is a file"};
    if (!folderExists(info.absolutePath()))
        throw RunError{RunError::PathNotFound, "Path not found: " + shown(info.absolutePath())};
    if (!QDir().mkdir(path))
        throw RunError{RunError::PermissionDenied, "Permission denied: " + shown(path)};
}

void copyFile(const QString& from, const QString& to) {
    QFile source(from);
    if (folderExists(from) || !source.open(QIODevice::ReadOnly))
        throw openFailure(from, true);
    if (folderExists(to))
        throw openFailure(to, false);
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        throw openFailure(to, false);
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        throw writeFailure(from, source.errorString());
    if (target.write(bytes) != bytes.size() || !target.commit())
        throw writeFailure(to, target.errorString());
}

void deleteFile(const QString& path) {
    if (folderExists(path))
        throw openFailure(path, false);
    QFile file(path);
    if (file.exists() && !file.remove())
        throw RunError{RunError::PermissionDenied, "Permission denied: " + shown(path)};
}

RunError openFailure(const QString& path, bool forReading) {
    const QFileInfo info(path);
    if (info.isDir())
        return {RunError::PathFileAccess, "Path/File access error: " + shown(path) + " is a folder"};
    if (!folderExists(info.absolutePath()))
        return {RunError::PathNotFound, "Path not found: " + shown(info.absolutePath())};
    if (forReading && !info.exists())
        return {RunError::FileNotFound, "File not found: " + shown(path)};
    return {RunError::PermissionDenied, "Permission denied: " + shown(path)};
}

RunError writeFailure(const QString& path, const QString& reason) {
    return {RunError::DeviceIo, "Device I/O error: " + shown(path) + ": " + reason};
}

}  // namespace FileSystem
