// A copy of the program in the hands of a person, driven through the window's handlers by the
// steps of the case folders, for the tests that kill it or run two of it on one folder. It writes
// through a slow device (at most 64 KiB a write, each after 1 ms), so that kills land inside.
//   crash_driver <folder> hold       takes the database's lock, says "held" and waits
//   crash_driver <folder> <line>...  does the lines ("ready" says so), then those of its input,
//                                    each followed by "done", up to "unload"
// A line is steps separated by "; "; one that starts with "wait " says "asked" at its first box or
// question and answers it after a line of input. Every question is answered Yes but the offer to
// activate an added account, an unscripted name is cancelled; the boxes go to standard error, and
// a failure report ends the driver.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <QLockFile>
#include <QRegularExpression>

#include "AppFolder.h"
#include "DatabaseFile.h"
#include "FaultInjection.h"

namespace {

void say(const char* word) {
    std::printf("%s\n", word);
    std::fflush(stdout);
}

void run(CaseApp& app, QString line) {
    bool wait = line.startsWith("wait ");
    app.dialogs.onShow = [&](const MessageBoxSpec* box) {
        if (box && box->title == ScriptedDialogs::ReportTitle)
            std::fprintf(stderr, "crash_driver: %s\n", qPrintable(box->text)), std::exit(2);
        if (box)
            app.dialogs.answers.push_back(box->buttons == MsgButtons::OK                       ? MsgAnswer::OK
                                          : box->text.startsWith("Account added successfully") ? MsgAnswer::No
                                                                                               : MsgAnswer::Yes);
        if (std::exchange(wait, false)) {
            say("asked");
            std::string input;
            std::getline(std::cin, input);
        }
    };
    for (const QString& step : line.remove(QRegularExpression("^wait ")).split("; "))
        runCaseStep(app, step);
    std::fprintf(stderr, "%s", qPrintable(app.dialogs.transcript));
    app.dialogs.transcript.clear();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (argc == 3 && QByteArray(argv[2]) == "hold") {
        QLockFile lock(folder + "/Accounts.dat" + DatabaseFile::LockSuffix);
        if (!lock.tryLock(10000))
            return 2;
        say("held");
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    FaultInjection::Plan slow{folder, folder + "/Logs"};
    slow.slowChunk = 64 * 1024;
    slow.slowMicroseconds = 1000;
    FaultInjection::arm(slow);
    CaseApp app(folder);
    app.dialogs.name = "";  // an unscripted question of a name is cancelled
    for (int i = 2; i < argc; ++i)
        QByteArray(argv[i]) == "ready" ? say("ready") : run(app, QString::fromLocal8Bit(argv[i]));
    for (std::string line; std::getline(std::cin, line);) {
        run(app, QString::fromStdString(line));
        say("done");
        if (line == "unload")
            break;
    }
    FaultInjection::disarm();
    return 0;
}
