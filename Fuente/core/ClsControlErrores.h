#pragma once

#include <new>
#include <QString>

#include "RunError.h"

class Mod_Variables;

// The one reporter of failures: appends a report to a log file and tells the person where it is.
class ClsControlErrores {
public:
    explicit ClsControlErrores(Mod_Variables& mv) : mv_(mv) {}

    void informarerror(const QString& logFile, int number, const QString& description, const QString& place);

    // Runs an operation; a failure inside it ends it and is reported to the log file `logName`
    // of the log folder under the place name. Returns whether the operation completed.
    // EndProgram passes through.
    template <class Operation>
    bool guard(const QString& logName, const QString& place, Operation&& operation) {
        try {
            operation();
            return true;
        } catch (const RunError& e) {
            informarerror(logPath(logName), e.number, e.description, place);
        } catch (const std::bad_alloc&) {
            informarerror(logPath(logName), RunError::OutOfMemory, QStringLiteral("Out of memory"), place);
        }
        return false;
    }

    QString logPath(const QString& logName) const;

    // The report's two lines, as written to the log file.
    static QString reportLines(int number, const QString& description, const QString& place);

private:
    Mod_Variables& mv_;
};
