#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "Printers.h"
#include "TestFolder.h"
#include "ShortcutFile.h"

namespace {

// Puts a program at `program` that records the arguments and the WINEPREFIX it is started with.
void recorder(const TestFolder& folder, const QString& program) {
    folder.write(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" \"${WINEPREFIX-<unset>}\" >'" +
                              folder.path("started").toUtf8() + "'\n");
    QFile::setPermissions(folder.path(program), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Checks a launcher with the desktop's own tools and starts it as a desktop does; gives what the
// recorder of `folder` was started with.
QStringList launched(const TestFolder& folder, const QString& launcher) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("WINEPREFIX");
    tool.setProcessEnvironment(environment);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    for (const QStringList& command : {QStringList{"desktop-file-validate", launcher}, {"gio", "launch", launcher}}) {
        tool.start(command[0], command.mid(1));
        const bool finished = tool.waitForFinished(10000);
        const QString output = QString::fromUtf8(tool.readAll());
        if (!finished || tool.exitCode() != 0 || !output.isEmpty())
            return {command.join(' ') + " (desktop-file-utils, libglib2.0-bin): " + tool.errorString() + output};
    }
    // gio starts the program and does not wait for it.
    for (int waited = 0; waited < 10000 && !QFileInfo(folder.path("started")).size(); waited += 20)
        QThread::msleep(20);
    QFile started(folder.path("started"));
    QStringList lines = started.open(QIODevice::ReadOnly) ? QString::fromUtf8(started.readAll()).split('\n')
                                                          : QStringList{};
    started.remove();
    return lines.mid(0, lines.size() - 1);
}

TEST(DesktopLauncher, StartsTheProgramWithExactlyItsArguments) {
    const struct {
        QString folder, arguments, prefix;
    } cases[] = {
        {"vantor", "/A=abc /W", ""},
        {"my games", "/A=a\"b\\c$d`e%f /S=1.2.3.4:2302 /Y", "/games/fl"},
        {"100% \"sure\" $HOME `id` a\\b", "/A=x;rm -rf ~ & 'q'", "/home/me/$HOME \"pre\" `id` a\\b 100%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        TestFolder folder;
        recorder(folder, c.folder + "/VTR");
        const QString launcher = ShortcutFile::write(folder.path(), "Fighter \"1\"", folder.path(c.folder + "/VTR"),
                                                     c.arguments, c.prefix);
        EXPECT_TRUE(QFile::permissions(launcher) & QFile::ExeOwner);
        // Made in a Wine prefix, the launcher runs the program in it.
        EXPECT_EQ(launched(folder, launcher), (QStringList{c.arguments, c.prefix.isEmpty() ? "<unset>" : c.prefix}));
    }
}

}  // namespace
