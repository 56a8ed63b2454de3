#pragma once

#include <QLockFile>
#include <QString>

// A lock file held while one copy of the program works on a file that another copy may work on
// at the same time; taken on construction (waiting a while for the other copy), given back on
// destruction. A lock whose owner is no longer running on this machine is taken over at once.
class FileLock {
public:
    // Throws RunError when the lock cannot be had.
    explicit FileLock(const QString& path);

private:
    QLockFile file_;
};
