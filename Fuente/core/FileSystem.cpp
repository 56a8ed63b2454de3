#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include "FileFlush.h"
#endif

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Gives an open file the permissions of another file, when that one exists. Where permissions
// cannot be set (a file system without them), the file keeps the ones it has.
void copyPermissions(QFileDevice& file, const QString& permissionsOf) {
#ifdef Q_OS_UNIX
    struct stat model {};
    if (!permissionsOf.isEmpty() && ::stat(QFile::encodeName(permissionsOf).constData(), &model) == 0)
        (void)::fchmod(file.handle(), model.st_mode & 07777);
#else
    Q_UNUSED(file);
    Q_UNUSED(permissionsOf);
#endif
}

// Writes every byte to a file opened unbuffered and gets them onto the device. A write may take
// only part of the bytes (a disk filling up); writing the rest then fails with the reason.
void writeDurably(QFileDevice& file, const QByteArray& bytes, const QString& path) {
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            throw FileSystem::writeFailure(path, file);
        done += written;
    }
    if (!file.flush())
        throw FileSystem::writeFailure(path, file);
        // A device that could not keep the bytes says so here, before they replace anything.
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        throw RunError{RunError::DeviceIo,
                       "Device I/O error: " + shown(path) + ": " + QString::fromLocal8Bit(std::strerror(errno))};
#elif defined(Q_OS_WIN)
    if (const win32::Status status = win32::flushFile(file.handle()); !status.ok())
        throw RunError::fromWindows(
            status.code, "Device I/O error: " + shown(path) + ": " + QString::fromStdWString(status.message));
#endif
}

}  // namespace

namespace FileSystem {

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString& path) { return QFileInfo(path).isDir(); }

bool isRegularFile(const QString& path) { return QFileInfo(path).isFile(); }

void createFolder(const QString& path) {
    if (folderExists(path))
        return;
    // Looked at once more: another copy of the program may have made the folder meanwhile.
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        throw RunError{RunError::PathFileAccess, "Path/File access error: " + shown(path) + " is a file"};
    if (!folderExists(info.absolutePath()))
        throw RunError{RunError::PathNotFound, "Path not found: " + shown(info.absolutePath())};
    // Another copy of the program, started at the same moment, may have made it meanwhile.
    if (!QDir().mkdir(path) && !folderExists(path))
        throw RunError{RunError::PermissionDenied, "Permission denied: " + shown(path)};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!isRegularFile(path) || !file.open(QIODevice::ReadOnly))
        throw openFailure(path, true);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RunError{RunError::DeviceIo, "Device I/O error: " + shown(path) + ": " + file.errorString()};
    return bytes;
}

void copyFile(const QString& from, const QString& to, const QString& permissionsOf) {
    replaceFile(to, readFile(from), permissionsOf);
}

void replaceFile(const QString& path, const QByteArray& bytes, const QString& permissionsOf) {
    if (folderExists(path))
        throw openFailure(path, false);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw openFailure(path, false);
    copyPermissions(file, permissionsOf);
    // commit() puts the temporary file in place even when writing out what it still buffered
    // failed, so nothing may be left for it to write: everything is written and synced here, and
    // a failure drops the temporary file (the destructor) without touching the old one.
    writeDurably(file, bytes, path);
    if (!file.commit())
        throw writeFailure(path, file);
}

bool linkFile(const QString& from, const QString& to) {
#ifdef Q_OS_UNIX
    if (folderExists(to))
        return false;
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    // The new name goes in beside the old one and then takes its place, as a replaced file does.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray temporary = target + ".link-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, temporary.constData(), 0) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (::rename(temporary.constData(), target.constData()) == 0)
            return true;
        ::unlink(temporary.constData());
        return false;
    }
#else
    Q_UNUSED(from);
    Q_UNUSED(to);
#endif
    return false;
}

void appendToFile(const QString& path, const QByteArray& bytes, const QString& permissionsOf) {
    if (folderExists(path))
        throw openFailure(path, false);
    const bool existed = fileExists(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw openFailure(path, false);
    const qint64 before = file.size();
    copyPermissions(file, permissionsOf);
    try {
        writeDurably(file, bytes, path);
    } catch (const RunError&) {
        // No part of the bytes stays behind, nor a file that was not there.
        if (existed)
            file.resize(before);
        else
            file.remove();
        throw;
    }
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
    if (info.exists() && !info.isFile())
        return {RunError::PathFileAccess, "Path/File access error: " + shown(path) + " is not a regular file"};
    if (!folderExists(info.absolutePath()))
        return {RunError::PathNotFound, "Path not found: " + shown(info.absolutePath())};
    if (forReading && !info.exists())
        return {RunError::FileNotFound, "File not found: " + shown(path)};
    return {RunError::PermissionDenied, "Permission denied: " + shown(path)};
}

RunError writeFailure(const QString& path, const QFileDevice& file) {
    if (file.error() == QFileDevice::ResourceError)
        return {RunError::DiskFull, "Disk full: " + shown(path) + ": " + file.errorString()};
    return {RunError::DeviceIo, "Device I/O error: " + shown(path) + ": " + file.errorString()};
}

}  // namespace FileSystem
