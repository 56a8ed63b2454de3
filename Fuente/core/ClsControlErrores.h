#pragma once

#include <new>
#include <type_traits>
#include <QString>

#include "RunError.h"

class Dialogs;

// The one reporter of failures: appends a report to a log file and tells the person where it is.
class ClsControlErrores {
public:
    // Reports go to the log folder `logFolder` (changed at run time) of the application folder
    // `appFolder`, and the person is told through `dialogs`.
    ClsControlErrores(const QString& appFolder, const QString& logFolder, Dialogs& dialogs)
        : appFolder_(appFolder), logFolder_(logFolder), dialogs_(dialogs) {}

    void informarerror(const QString& logFile, int number, const QString& description, const QString& place);

    // Runs an operation; a failure inside it ends it and is reported to the log file `logName`
    // of the log folder under the place name. Returns what the operation returned, or a
    // value-initialised result (false, empty) after a failure; an operation that returns nothing
    // gives whether it completed. EndProgram passes through.
    template <class Operation>
    auto guard(const QString& logName, const QString& place, Operation&& operation) {
        using Result = std::invoke_result_t<Operation&>;
        using Returned = std::conditional_t<std::is_void_v<Result>, bool, Result>;
        try {
            if constexpr (std::is_void_v<Result>) {
                operation();
                return true;
            } else {
                return operation();
            }
        } catch (const RunError& e) {
            informarerror(logPath(logName), e.number, e.description, place);
        } catch (const std::bad_alloc&) {
            informarerror(logPath(logName), RunError::OutOfMemory, QStringLiteral("Out of memory"), place);
        }
        return Returned{};
    }

    QString logPath(const QString& logName) const;

    // The report's two lines, as written to the log file.
    static QString reportLines(int number, const QString& description, const QString& place);

private:
    const QString& appFolder_;
    const QString& logFolder_;
    Dialogs& dialogs_;
};
