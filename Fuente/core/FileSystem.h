#pragma once

#include <QByteArray>
#include <QString>

#include "RunError.h"

class QFileDevice;

// The file-system service: the few folder and file operations the program needs, failing with
// the platform's run-time error numbers.
namespace FileSystem {

bool fileExists(const QString& path);
bool folderExists(const QString& path);
// A file that can be read to its end: not a folder, a device, a pipe or a socket.
bool isRegularFile(const QString& path);

// Creates one folder level; the parent must exist.
void createFolder(const QString& path);

// The whole of a regular file (not a folder, a device, a pipe or a socket).
QByteArray readFile(const QString& path);

// The writes below take a file whose permissions the written file gets (`permissionsOf`, when it
// is given and exists): a copy of the database is as private as the database. Otherwise a new
// file gets the usual permissions and a replaced one keeps its own.

// Copies a regular file over another, replacing it in one step.
void copyFile(const QString& from, const QString& to, const QString& permissionsOf = {});

// Replaces a file's content (or creates the file) in one step: the bytes go to a temporary file
// beside it, which takes the file's place only once every byte has been written and flushed to
// the device. Any failure leaves the file as it was.
void replaceFile(const QString& path, const QByteArray& bytes, const QString& permissionsOf = {});

// Gives a file a second name, replacing whatever had that name in one step: both names are then
// the same file, made without writing it again. Whether it could; where the file system cannot
// (another device, no links, Windows here), nothing changed.
bool linkFile(const QString& from, const QString& to);

// Adds the bytes at the end of a file (created when missing), written and flushed to the device;
// a failure cuts the file back to its previous length.
void appendToFile(const QString& path, const QByteArray& bytes, const QString& permissionsOf = {});

// Deletes a file; a file that is not there is no failure.
void deleteFile(const QString& path);

// The error for a file that could not be opened, told apart by what is at the path.
RunError openFailure(const QString& path, bool forReading);

// The error for a write or commit that failed after the file was opened: 61 when the disk is
// full, 57 otherwise.
RunError writeFailure(const QString& path, const QFileDevice& file);

}  // namespace FileSystem
