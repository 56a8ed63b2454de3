#pragma once

#include <QString>

#include "RunError.h"

// The file-system service: the few folder and file operations the program needs, failing with
// the platform's run-time error numbers.
namespace FileSystem {

bool fileExists(const QString& path);
bool folderExists(const QString& path);

// Creates one folder level; the parent must exist.
void createFolder(const QString& path);

// Copies a file over another, replacing it in one step.
void copyFile(const QString& from, const QString& to);

// Deletes a file; a file that is not there is no failure.
void deleteFile(const QString& path);

// The error for a file that could not be opened, told apart by what is at the path.
RunError openFailure(const QString& path, bool forReading);

// The error for a write or commit that failed after the file was opened.
RunError writeFailure(const QString& path, const QString& reason);

}  // namespace FileSystem
