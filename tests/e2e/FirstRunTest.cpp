#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "FileBytes.h"
#include "FileTexts.h"
#include "Printers.h"

namespace {

// The real program, copied into an empty folder, creates its files there at start-up.
TEST(FirstRun, CreatesLogsOptionsAndDatabaseBesideTheProgram) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/VTR";
    ASSERT_TRUE(QFile::copy(QStringLiteral(VTR_PATH), program));

    QProcess vtr;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // Without a GameSettings.reg the store is a Wine prefix's registry: one that is not there.
    env.insert("WINEPREFIX", dir.path() + "/no-prefix");
    vtr.setProcessEnvironment(env);
    vtr.start(program, {});
    ASSERT_TRUE(vtr.waitForStarted());
    // The database is the last file start-up makes; the window then waits for the person.
    QDeadlineTimer deadline(20000);
    while (!QFileInfo::exists(dir.path() + "/Accounts.dat") && !deadline.hasExpired() &&
           vtr.state() == QProcess::Running)
        QThread::msleep(20);
    EXPECT_EQ(vtr.state(), QProcess::Running) << "the window stays open";
    vtr.kill();
    vtr.waitForFinished();

    EXPECT_TRUE(QFileInfo(dir.path() + "/Logs").isDir());
    EXPECT_EQ(readFile(dir.path() + "/Opciones.dat"), optionsText(0, 0));
    EXPECT_EQ(readFile(dir.path() + "/Accounts.dat"), DatabaseText().bytes());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/GameSettings.reg")) << "start-up only reads the store";
}

}  // namespace
