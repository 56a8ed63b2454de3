#pragma once

#include <QString>

// A failure of a file, registry or process operation, numbered like the platform's
// run-time errors so that reports read the same on every copy of the program.
struct RunError {
    enum Number : int {
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        DeviceIo = 57,
        BadFileName = 52,
        FileNotFound = 53,
        DiskFull = 61,
        InputPastEnd = 62,
        NoObject = 91,
        PermissionDenied = 70,
        PathFileAccess = 75,
        PathNotFound = 76,
        InvalidFileFormat = 321,
    };

    int number;
    QString description;
};

// A request to end the process (the newer-database refusal, the usage message, the end of
// command-line mode). No operation's failure handler catches it; main() exits with status 0.
struct EndProgram {};
