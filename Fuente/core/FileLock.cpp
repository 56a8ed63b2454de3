#include "FileLock.h"

#include <cerrno>
#include <cstring>

#include <QDir>

#include "RunError.h"

namespace {

// How long a lock is waited for, and the age at which a lock whose owner cannot be checked
// (another machine) counts as left behind.
constexpr int kWaitMs = 20000;
constexpr int kStaleMs = 60000;

}  // namespace

FileLock::FileLock(const QString& path) : file_(path) {
    file_.setStaleLockTime(kStaleMs);
    if (file_.tryLock(kWaitMs))
        return;
    const QString shown = QDir::toNativeSeparators(path);
    switch (file_.error()) {
    case QLockFile::LockFailedError:
        throw RunError{RunError::PermissionDenied,
                       "Permission denied: " + shown + " is held by another copy of the program"};
    case QLockFile::PermissionError:
        throw RunError{RunError::PermissionDenied, "Permission denied: " + shown};
    default:
        // The lock file could not be written; the reason is the last one the system gave.
        const int reason = errno;
        if (reason == ENOSPC)
            throw RunError{RunError::DiskFull,
                           "Disk full: " + shown + ": " + QString::fromLocal8Bit(std::strerror(reason))};
        throw RunError{RunError::DeviceIo, "Device I/O error: " + shown + " could not be created"};
    }
}
