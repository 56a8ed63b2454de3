#include "RunError.h"

#include <utility>

namespace {

// Windows system error codes, as the platform's headers number them.
constexpr std::pair<long, RunError::Number> WindowsNumbers[] = {
    {2, RunError::FileNotFound},          // ERROR_FILE_NOT_FOUND
    {3, RunError::PathNotFound},          // ERROR_PATH_NOT_FOUND
    {4, RunError::TooManyFiles},          // ERROR_TOO_MANY_OPEN_FILES
    {5, RunError::PermissionDenied},      // ERROR_ACCESS_DENIED
    {8, RunError::OutOfMemory},           // ERROR_NOT_ENOUGH_MEMORY
    {14, RunError::OutOfMemory},          // ERROR_OUTOFMEMORY
    {15, RunError::DeviceUnavailable},    // ERROR_INVALID_DRIVE
    {19, RunError::PermissionDenied},     // ERROR_WRITE_PROTECT
    {21, RunError::DiskNotReady},         // ERROR_NOT_READY
    {32, RunError::PermissionDenied},     // ERROR_SHARING_VIOLATION
    {33, RunError::PermissionDenied},     // ERROR_LOCK_VIOLATION
    {39, RunError::DiskFull},             // ERROR_HANDLE_DISK_FULL
    {80, RunError::FileAlreadyExists},    // ERROR_FILE_EXISTS
    {112, RunError::DiskFull},            // ERROR_DISK_FULL
    {123, RunError::BadFileName},         // ERROR_INVALID_NAME
    {161, RunError::PathNotFound},        // ERROR_BAD_PATHNAME
    {183, RunError::FileAlreadyExists},   // ERROR_ALREADY_EXISTS
    {206, RunError::BadFileName},         // ERROR_FILENAME_EXCED_RANGE
    {1392, RunError::InvalidFileFormat},  // ERROR_FILE_CORRUPT
};

// A COM result of the Win32 facility (0x8007xxxx) carries a system error code in its low half.
bool carriesSystemCode(unsigned long bits) { return (bits & 0xFFFF0000UL) == 0x80070000UL; }

}  // namespace

RunError RunError::fromWindows(long code, const QString& description) {
    const unsigned long bits = static_cast<unsigned long>(code) & 0xFFFFFFFFUL;
    const bool com = (bits & 0x80000000UL) != 0;
    const long system = carriesSystemCode(bits) ? long(bits & 0xFFFFUL) : code;
    int number = PathFileAccess;  // any other failure of a file, registry or process call
    for (const auto& [windows, mapped] : WindowsNumbers)
        if (windows == system)
            number = mapped;
    // A COM result reads in hexadecimal, as its documentation lists it.
    const QString shown = com ? "0x" + QString::number(bits, 16).toUpper() : QString::number(code);
    return RunError{number, description + " (Windows error " + shown + ')'};
}
