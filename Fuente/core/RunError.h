#pragma once

#include <QString>

// A failure of a file, registry or process operation, numbered like the platform's
// run-time errors so that reports read the same on every copy of the program.
struct RunError {
    enum Number : int {
        InvalidProcedureCall = 5,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        InternalError = 51,
        BadFileName = 52,
        FileNotFound = 53,
        DeviceIo = 57,
        FileAlreadyExists = 58,
        DiskFull = 61,
        InputPastEnd = 62,
        TooManyFiles = 67,
        DeviceUnavailable = 68,
        PermissionDenied = 70,
        DiskNotReady = 71,
        PathFileAccess = 75,
        PathNotFound = 76,
        NoObject = 91,
        InvalidFileFormat = 321,
        InvalidPropertyValue = 380,
    };

    // The failure of a Windows call with its system error code (or a COM result that carries
    // one), under the run-time number of the same failure; the code stays in the description.
    static RunError fromWindows(long code, const QString& description);

    int number;
    QString description;
};

// A request to end the process (the newer-database refusal, the usage message, the end of
// command-line mode). No operation's failure handler catches it; main() exits with status 0.
struct EndProgram {};
