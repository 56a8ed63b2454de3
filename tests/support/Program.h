#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs a program to its end: its exit code, or -1 when it did not start, crashed or still ran
// after `ms` (it is killed then). Its error output goes to `errors` when given, else to the test's.
inline int runProgram(const QString& program, const QStringList& arguments, int ms,
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                      QByteArray* errors = nullptr) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!errors)
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    const bool ended = process.waitForFinished(ms);
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    if (errors)
        *errors = process.readAllStandardError();
    return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
