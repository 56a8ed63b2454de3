#pragma once

#include <functional>
#include <gtest/gtest.h>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

// A real program started by a test: its output read a line at a time, its input written a line
// at a time, its errors kept. It is killed, if it still runs, when the test lets go of it.
class Program {
public:
    Program(const QString& path, const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        process_.setProcessEnvironment(environment);
        process_.start(path, arguments);
    }
    ~Program() { kill(); }

    static constexpr int Crashed = -1, StillRan = -2;
    // The exit code; StillRan when it did not end within `ms` (it is killed then).
    int wait(int ms = 60000) {
        if (!process_.waitForFinished(ms))
            return kill(), StillRan;
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : Crashed;
    }
    void kill() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }
    bool running() { return process_.state() == QProcess::Running || process_.waitForStarted(10000); }
    // Whether the next line it writes, within a minute, is `line`.
    ::testing::AssertionResult says(const QByteArray& line) {
        for (QDeadlineTimer deadline(60000); !process_.canReadLine();)
            if (deadline.hasExpired() || (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning))
                return ::testing::AssertionFailure() << "no \"" << line.toStdString() << "\": " << errors();
        const QByteArray said = process_.readLine().trimmed();
        if (said == line)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "said \"" << said.toStdString() << "\", not " << line.toStdString();
    }
    void send(const QString& line) {
        process_.write(line.toUtf8() + '\n');
        process_.waitForBytesWritten(10000);
    }
    // Sends a step and waits for its end.
    ::testing::AssertionResult step(const QString& line) {
        send(line);
        return says("done");
    }
    // What it wrote to standard error so far.
    std::string errors() {
        errors_ += process_.readAllStandardError();
        return errors_.toStdString();
    }

private:
    QProcess process_;
    QByteArray errors_;
};

// Whether `condition` holds within `ms` milliseconds, as another process brings it about.
inline bool eventually(int ms, const std::function<bool()>& condition) {
    for (QDeadlineTimer deadline(ms); !condition(); QThread::usleep(50))
        if (deadline.hasExpired())
            return false;
    return true;
}

// The test's environment with `set` ("NAME=value") in it and `unset` out of it.
inline QProcessEnvironment environmentWith(const QStringList& set, const QStringList& unset = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : set)
        environment.insert(entry.section('=', 0, 0), entry.section('=', 1));
    for (const QString& name : unset)
        environment.remove(name);
    return environment;
}
